// (Win32) TTavrikForm::MoveSaveFolder: the page files carried to the folder typed in the Options dialog.
#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "pages/folder_text.h"
#include "pages/page_folder_move.h"
#include "pages/page_file_look.h"
#include "pages/page_version_files.h"
#include "settings/parameters.h"
#include "ui/move_texts.h"
#include "ui/page_texts.h"

#include <richedit.h>

#include <unordered_set>

namespace tavrik::app {
namespace {
constexpr wchar_t kPageExtension[] = L".tvk";

// One line a file, each ending in a line break, as the move's message texts expect them.
std::wstring FileLines(const std::wstring& folder, const std::vector<pages::FileError>& files) {
    std::wstring lines;
    for (const pages::FileError& file : files) {
        lines += folder + file.fileName;
        if (file.error != ERROR_SUCCESS) lines += L": " + SystemErrorText(file.error);
        lines += L"\r\n";
    }
    return lines;
}
// Size and last write in local time, for the question about files of the same name.
ui::FileFacts FactsOf(const std::wstring& path) {
    ui::FileFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
        return facts;
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return {true, size, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

std::wstring Folded(std::wstring name) {
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

// The names in a folder, letter case folded. One listing instead of a look-up per page: Wine reads
// the whole folder for every name that is not there.
std::unordered_set<std::wstring> FolderNames(const std::wstring& folder) {
    std::unordered_set<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(Folded(data.cFileName));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}
}  // namespace

// Nothing moves unless every page file can be carried whole: changed pages are saved first, each
// copy is read back before the folder is stored, and only then are the old files deleted. A page
// whose file cannot be reached now (an unreadable page's often cannot) stops the move, named:
// moving without it would leave its file behind in a folder no longer used.
bool TTavrikForm::MoveSaveFolder(const std::wstring& typed, HWND owner) {
    const OneAtATime one(busy_);
    const std::wstring caption = PageText(ui::PageText::MoveCaption);
    const pages::FolderTextProblem problem = pages::CheckFolderText(ToU16(typed));
    if (problem != pages::FolderTextProblem::None) {
        (void)ShowMessage(owner, PageText(ui::MessageFor(problem)), caption, MB_OK | MB_ICONWARNING);
        return false;
    }
    // The folder alone first: the same folder under another spelling touches nothing, saves included.
    const pages::FolderMovePlan folderOnly = pages::PlanFolderMove(ToWide(params.SaveTo), typed, {});
    if (folderOnly.sameFolder) return false;
    if (!folderOnly.blocked.empty()) {
        const std::wstring reason = SystemErrorText(folderOnly.blocked.front().error);
        (void)ShowMessage(owner, FormatText(PageText(ui::PageText::FolderUnreachable), {reason + L"\r\n"}), caption,
                          MB_OK | MB_ICONWARNING);
        return false;
    }
    // SaveTo written with "?" for what an old ANSI tavrik.ini cannot hold would lose the pages at the next start.
    if (!IniFile->CanHold(folderOnly.newFolder)) {
        (void)ShowMessage(owner, PageText(ui::PageText::NameNotForOldSettings), caption, MB_OK | MB_ICONWARNING);
        return false;
    }

    std::vector<std::pair<std::wstring, DWORD>> unsaved;
    const std::unordered_set<std::wstring> oldNames = FolderNames(ToWide(params.SaveTo));
    for (int i = 0; i < PageCount(); ++i) {
        const PageSlot& slot = book_[i];
        if (!slot.loaded) {
            // An old version's file without extension is renamed when the page is read; a page never
            // read still has it, and would arrive in the new folder without its text.
            const std::wstring base = ToWide(params.SaveTo) + slot.name;
            if (oldNames.contains(Folded(slot.name))) pages::GiveOldFileItsExtension(base, base + kPageExtension);
            continue;
        }
        if (!slot.editor || slot.unreadable || !SendMessageW(slot.editor, EM_GETMODIFY, 0, 0)) continue;
        if (const DWORD error = WritePageFile(i); error != ERROR_SUCCESS) unsaved.emplace_back(PagePath(i), error);
        else SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
    }
    if (!unsaved.empty()) {
        ShowCannotCreateFiles(owner, unsaved);
        return false;
    }

    std::vector<std::wstring> fileNames;
    for (const PageSlot& slot : book_) fileNames.push_back(slot.name + kPageExtension);
    const pages::FolderMovePlan plan = pages::PlanFolderMove(ToWide(params.SaveTo), typed, fileNames);
    pages::SameNames sameNames = pages::SameNames::Refuse;
    if (!plan.existing.empty() && plan.CanMove()) {
        std::wstring lines;
        for (const std::wstring& name : plan.existing) {
            const std::wstring page = name.substr(0, name.size() - wcslen(kPageExtension));
            lines += ToWide(ui::SameNameLine(ToU16(page), FactsOf(plan.oldFolder + name), FactsOf(plan.newFolder + name),
                                             InterfaceLanguage())) +
                     L"\r\n";
        }
        const std::wstring question = FormatText(MoveText(ui::MoveText::SameNamesQuestion), {lines});
        switch (ShowMessage(owner, question, caption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3)) {
        case IDYES: sameNames = pages::SameNames::Replace; break;
        case IDNO: sameNames = pages::SameNames::UseTheirs; break;
        default: return false;
        }
    }

    bool storeFailed = false;
    const pages::FolderMoveResult result =
        pages::ExecuteFolderMove(plan, sameNames, [&](const std::wstring& folder) {
            settings::Parameters next = params;
            next.SaveTo = ToU16(folder);
            storeFailed = !IniFile->WriteParameters(next, {&settings::Parameters::SaveTo});
            return !storeFailed;
        });
    if (!result.moved) {
        // Every file that would not move in one message, each with the system's reason.
        std::vector<pages::FileError> files;
        for (const pages::FileError& failure : result.failed)
            if (!failure.fileName.empty()) files.push_back(failure);
        if (!files.empty()) {
            (void)ShowMessage(owner, FormatText(MoveText(ui::MoveText::NotMoved), {FileLines(plan.oldFolder, files)}),
                              MoveText(ui::MoveText::NotMovedCaption), MB_OK);
        } else if (storeFailed) {
            // The settings file's own message said why; this one says what became of the pages.
            (void)ShowMessage(owner, FormatText(PageText(ui::PageText::MoveFailed), {IniFile->Path() + L"\r\n"}),
                              caption, MB_OK | MB_ICONWARNING);
        } else if (!result.failed.empty()) {
            const std::wstring reason = SystemErrorText(result.failed.front().error) + L"\r\n";
            (void)ShowMessage(owner, FormatText(PageText(ui::PageText::FolderUnreachable), {reason}), caption,
                              MB_OK | MB_ICONWARNING);
        }
        return false;
    }
    params.SaveTo = ToU16(result.folderInUse);
    // The pages that took the files already there show those; ours are among their versions.
    for (const std::wstring& name : result.taken) {
        const int index = PageNamed(name.substr(0, name.size() - wcslen(kPageExtension)), -1);
        if (index >= 0 && book_[index].loaded && book_[index].editor) ReadPageFile(index);
    }
    FindUnlistedPages();  // the new folder may hold page files of its own
    // The versions follow once the pages have moved; whatever will not move stays whole in the old
    // folder, and the pages stay moved.
    if (const DWORD error = pages::MoveVersions(plan.oldFolder, plan.newFolder); error != ERROR_SUCCESS) {
        const std::wstring left = plan.oldFolder + ToWide(pages::kVersionsFolderName) + L"\\";
        (void)ShowMessage(owner, FormatText(PageText(ui::PageText::VersionsNotMoved), {left, SystemErrorText(error)}),
                          caption, MB_OK | MB_ICONINFORMATION);
    }
    if (!result.notDeleted.empty())
        (void)ShowMessage(owner,
                          FormatText(PageText(ui::PageText::MoveOldNotDeleted), {FileLines(plan.oldFolder, result.notDeleted)}),
                          caption, MB_OK | MB_ICONINFORMATION);
    return true;
}

}  // namespace tavrik::app
