// (Win32) TTavrikForm's rescue of pages at the end of a session: the pages that could not be written to
// their files are kept in the user's own folder, and the next start offers them as pages. Also the
// word, after start-up, of saves cut short that were kept as versions.
#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/page_file_look.h"
#include "pages/save_leftovers.h"
#include "pages/unlisted_pages.h"

#include <algorithm>

namespace tavrik::app {
namespace {
constexpr std::wstring_view kPageExtension = L".tvk";

std::wstring Lines(const std::vector<std::wstring>& items) {
    std::wstring text;
    for (const std::wstring& item : items) text += (text.empty() ? L"" : L"\r\n") + item;
    return text;
}
}  // namespace

std::wstring TTavrikForm::RescueText(ui::RescueText which) const {
    return ToWide(ui::RescueTextIn(which, InterfaceLanguage()));
}

std::wstring TTavrikForm::RescueFolder() const {
    return env_.userFolder.empty() ? std::wstring() : env_.userFolder + L"Rescue\\";
}

// No window and no box: Windows may be ending the session under us. A rescued page's copy is
// rewritten with its latest text, and dropped once the page reaches its own file after all.
bool TTavrikForm::RescueUnsavedPages() {
    const std::wstring folder = RescueFolder();
    bool all = true;
    for (int i = 0; i < PageCount(); ++i) {
        const PageSlot& slot = book_[i];
        const auto rescued = std::find_if(rescued_.begin(), rescued_.end(),
                                          [&](const auto& r) { return r.first == slot.editor; });
        const bool unsaved = slot.loaded && slot.editor && !slot.unreadable && slot.saveFailed;
        if (!unsaved) {
            if (rescued != rescued_.end()) {
                (void)DeleteFileW(rescued->second.c_str());  // gone already is as good
                rescued_.erase(rescued);
            }
            continue;
        }
        if (folder.empty()) {
            all = false;
            continue;
        }
        (void)CreateDirectoryW(env_.userFolder.c_str(), nullptr);  // there already, or the write says why not
        (void)CreateDirectoryW(folder.c_str(), nullptr);
        std::wstring path = rescued != rescued_.end() ? rescued->second : std::wstring();
        for (int n = 1; path.empty() && n < 1000; ++n) {
            std::wstring candidate = folder + ToWide(pages::RescueFileName(ToU16(slot.name), folder.size(), n));
            if (!app::FileExists(candidate)) path = std::move(candidate);
        }
        const bool plain = (SendMessageW(slot.editor, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT) != 0;
        if (path.empty() ||
            app::ReplaceFileContents(path, [&](HANDLE file) { return editor::WritePage(slot.editor, file, plain); }) !=
                ERROR_SUCCESS) {
            all = false;
            continue;
        }
        if (rescued == rescued_.end()) rescued_.emplace_back(slot.editor, path);
    }
    return all;
}

// Offered once, at start-up: opened as pages under names no page or file has, or deleted. A page
// whose file cannot be made stays in the rescue folder for the next start.
void TTavrikForm::OfferRescuedPages() {
    const std::wstring folder = RescueFolder();
    if (folder.empty()) return;
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*.tvk").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring_view name(data.cFileName);
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && pages::PageOfFile(ToU16(name)))
            files.emplace_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    if (files.empty()) return;
    std::vector<std::wstring> stems;
    stems.reserve(files.size());
    for (const std::wstring& file : files) stems.push_back(L"  " + file.substr(0, file.size() - kPageExtension.size()));
    const std::wstring question = FormatText(RescueText(ui::RescueText::RescueOffer), {folder, Lines(stems)});
    if (ShowMessage(hwnd_, question, RescueText(ui::RescueText::RescueCaption), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        for (const std::wstring& file : files) (void)DeleteFileW((folder + file).c_str());  // what stays is offered again
        return;
    }
    std::vector<std::u16string> taken = PageNamesU16();
    for (const std::wstring& file : files) {
        const std::wstring stem = file.substr(0, file.size() - kPageExtension.size());
        std::wstring name;
        for (int tries = 0; tries < 1000; ++tries) {  // a file already in the page folder is never replaced
            name = ToWide(pages::PageNameForFile(ToU16(stem), params.SaveTo.size(), taken));
            taken.push_back(ToU16(name));
            if (!app::FileExists(PageFileOf(name))) break;
        }
        // Copied, not moved: the page folder is often on another drive, and a copy cut short
        // leaves the rescued file whole.
        if (!CopyFileW((folder + file).c_str(), PageFileOf(name).c_str(), TRUE)) {
            ShowCannotCreateFile(hwnd_, PageFileOf(name), GetLastError());
            continue;
        }
        (void)AddListedPage(name, PageCount() - 1, pages::NewPageEntry(Defaults()));
        (void)DeleteFileW((folder + file).c_str());  // refused: offered again, and opened a second time
    }
}

void TTavrikForm::TellLeftoverVersions(const std::vector<std::wstring>& pages) {
    if (pages.empty()) return;
    std::vector<std::wstring> lines;
    lines.reserve(pages.size());
    for (const std::wstring& page : pages) lines.push_back(L"  " + page);
    (void)ShowMessage(hwnd_, FormatText(RescueText(ui::RescueText::LeftoverVersions), {Lines(lines)}),
                      RescueText(ui::RescueText::LeftoverCaption), MB_OK | MB_ICONINFORMATION);
}

}  // namespace tavrik::app
