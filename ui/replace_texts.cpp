// What Replace and File, Open say, in both interface languages.
#include "ui/replace_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<EditOpenText>;

constexpr Row kRows[] = {
    {EditOpenText::NotFound, {u"Cannot find \"%s\".", u"Не найдено: \"%s\"."}},
    {EditOpenText::TextFilesFilter, {u"Text and RTF files (*.txt;*.rtf)", u"Текстовые файлы и RTF (*.txt;*.rtf)"}},
    {EditOpenText::AllFilesFilter, {u"All files (*.*)", u"Все файлы (*.*)"}},
    {EditOpenText::FileTooLarge,
     {u"The file is too large to open as a page:\r\n%s\r\nPages of more than %s MB are not read. The file stays as it is.",
      u"Файл слишком велик, чтобы открыть его как страницу:\r\n%s\r\nСтраницы больше %s МБ не читаются. Файл "
      u"остаётся как есть."}},
};

}  // namespace

std::u16string_view EditOpenTextIn(EditOpenText which, Language language) { return FindText(kRows, which, language); }

std::u16string ReplacedCountText(std::size_t count, Language language) {
    std::u16string number;
    for (const char c : std::to_string(count)) number += static_cast<char16_t>(c);
    // "Заменено: 3." reads for every number; English says "time" once.
    if (language == Language::Russian) return u"Заменено: " + number + u".";
    return u"Replaced " + number + (count == 1 ? u" time." : u" times.");
}

}  // namespace tavrik::ui
