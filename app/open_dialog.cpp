// (Win32) The system's Open dialog for a file to open as a page.
#include "app/open_dialog.h"

#include <commdlg.h>

#include "app/dialogs.h"
#include "app/text.h"
#include "app/visible_owner.h"
#include "ui/replace_texts.h"

namespace tavrik::app {
namespace {

std::function<std::optional<std::wstring>()>& OpenFileHook() {
    static std::function<std::optional<std::wstring>()> hook;
    return hook;
}

}  // namespace

void SetOpenFileHook(std::function<std::optional<std::wstring>()> hook) { OpenFileHook() = std::move(hook); }

std::optional<std::wstring> ChooseOpenFile(HWND owner, ui::Language language) {
    if (OpenFileHook()) return OpenFileHook()();
    using Fn = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const Fn getOpenFileName = CommonDialog<Fn>("GetOpenFileNameW");
    if (!getOpenFileName) return std::nullopt;
    // Each entry is its text and its patterns, each ending in a NUL; one more NUL ends the list.
    std::wstring filter = ToWide(ui::EditOpenTextIn(ui::EditOpenText::TextFilesFilter, language));
    filter.append(1, L'\0').append(L"*.txt;*.rtf").append(1, L'\0');
    filter.append(ToWide(ui::EditOpenTextIn(ui::EditOpenText::AllFilesFilter, language)));
    filter.append(1, L'\0').append(L"*.*").append(2, L'\0');
    // Names are not limited to MAX_PATH: the buffer is as long as a path may be.
    std::wstring path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = VisibleOwner(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
                   OFN_ENABLESIZING;
    if (!getOpenFileName(&dialog)) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return path;
}

}  // namespace tavrik::app
