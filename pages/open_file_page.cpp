// (Win32) TTavrikForm's File, Open: a text or rich-text file becomes a new page after the last. The
// file is copied, never moved or changed; the page gets a file of its own in the page folder.
#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/file_io.h"
#include "app/keys_off.h"
#include "app/open_dialog.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/replace_rule.h"
#include "pages/page_entry.h"
#include "pages/page_file_checks.h"
#include "ui/page_texts.h"
#include "ui/replace_texts.h"

namespace tavrik::app {

void TTavrikForm::OpenSubMenuClick() {
    std::optional<std::wstring> path;
    {
        const KeysOff keysOff(*this, KeysAfter::On);
        path = ChooseOpenFile(hwnd_, InterfaceLanguage());
    }
    if (path) (void)OpenFileAsPage(*path);
}

// The file's bytes become the page file as they are: the page reads text by its byte order mark,
// as UTF-8 when it is valid UTF-8 and in the ANSI code page otherwise, and rich text as rich text,
// as for every page file another program wrote.
bool TTavrikForm::OpenFileAsPage(const std::wstring& path) {
    BuildHiddenParts();
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> bytes = app::ReadWholeFile(path, error);
    if (!bytes) {
        if (error == ERROR_FILE_TOO_LARGE) {
            const std::wstring limit = std::to_wstring(pages::kMaxPageFileBytes >> 20);
            const std::wstring pattern = ToWide(ui::EditOpenTextIn(ui::EditOpenText::FileTooLarge, InterfaceLanguage()));
            ShowError(hwnd_, FormatText(pattern, {path, limit}));
        } else {
            ShowError(hwnd_, CannotOpenFileText(path, error));
        }
        return false;
    }
    // The name rules of New page: a name refused or taken comes back in its dialog for mending.
    std::wstring name = ToWide(editor::PageNameFromFile(ToU16(path)));
    {
        const KeysOff keysOff(*this, KeysAfter::On);
        for (;;) {
            if (CheckFileName(name)) {
                // A file already in the folder is never replaced: another page's, or one no page lists.
                if (PageNamed(name, -1) < 0 && !app::FileExists(PageFileOf(name))) break;
                PlainBox(ui::PageText::NameExists);
            }
            const auto typed = AskName(hwnd_, PageText(ui::PageText::NameDialogCaption), name, InterfaceLanguage());
            if (!typed) return false;
            name = *typed;
        }
    }
    const std::wstring pagePath = PageFileOf(name);
    error = app::ReplaceFileContents(pagePath, [&](HANDLE file) { return app::WriteAll(file, bytes->data(), bytes->size()); });
    if (error != ERROR_SUCCESS) {
        ShowCannotCreateFile(hwnd_, pagePath, error);
        return false;
    }
    // The defaults' colour and fonts, word wrap on; the page left is saved, as at every change of page.
    SwitchToPage(AddListedPage(name, PageCount() - 1, pages::NewPageEntry(Defaults())));
    return true;
}

}  // namespace tavrik::app
