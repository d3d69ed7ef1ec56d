// The file errors, worded in English as users of the program have always seen them.
#include "ui/file_texts.h"

namespace tavrik::ui {
namespace {

constexpr Bilingual kCannotCreate{u"Cannot create file \"%s\". %s", u"Не удаётся создать файл \"%s\". %s"};
constexpr Bilingual kCannotOpen{u"Cannot open file \"%s\". %s", u"Не удаётся открыть файл \"%s\". %s"};
constexpr Bilingual kUnableToWrite{u"Unable to write to %s\r\n%s", u"Не удаётся записать %s\r\n%s"};
constexpr Bilingual kFileUnchanged{u"The file on disk is as it was.", u"Файл на диске остался прежним."};
constexpr Bilingual kFilesUnchanged{u"The files on disk are as they were.", u"Файлы на диске остались прежними."};

std::u16string Fill(std::u16string_view pattern, const FailedFile& file) {
    std::u16string text;
    bool pathDone = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's') {
            text += pathDone ? file.reason : file.path;
            pathDone = true;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

const Bilingual& PatternOf(FileFailure failure) {
    switch (failure) {
    case FileFailure::CannotCreate: return kCannotCreate;
    case FileFailure::CannotOpen: return kCannotOpen;
    case FileFailure::UnableToWrite: break;
    }
    return kUnableToWrite;
}

}  // namespace

std::u16string FileFailureText(FileFailure failure, const std::vector<FailedFile>& files, Language language) {
    std::u16string text;
    for (const FailedFile& file : files) {
        if (!text.empty()) text += u"\r\n";
        text += Fill(PatternOf(failure).In(language), file);
    }
    if (failure != FileFailure::CannotOpen && !files.empty())
        text.append(u"\r\n").append((files.size() == 1 ? kFileUnchanged : kFilesUnchanged).In(language));
    return text;
}

}  // namespace tavrik::ui
