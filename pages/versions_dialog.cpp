// (Win32) The Versions dialog, built in memory like the program's other small dialogs.
#include "pages/versions_dialog.h"

#include "app/comctl.h"
#include "app/dialog_template.h"
#include "app/list_columns.h"
#include "app/visible_owner.h"
#include "ui/accessible_parts.h"
#include "ui/dark_mode.h"

#include <commctrl.h>

namespace tavrik::pages {
namespace {

using app::AddColumn;
using app::DialogUnitsToPixels;

constexpr WORD kHeadingId = 100, kListId = 101;

struct DialogState {
    const VersionsDialogTexts* texts;
    const std::vector<VersionRow>* rows;
    std::optional<size_t> chosen;
};

void FillList(HWND dialog, const DialogState& state) {
    const HWND list = GetDlgItem(dialog, kListId);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const int timeWidth = DialogUnitsToPixels(dialog, 84), sizeWidth = DialogUnitsToPixels(dialog, 40);
    RECT client{};
    GetClientRect(list, &client);
    const int textWidth = client.right - timeWidth - sizeWidth - GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, state.texts->timeColumn, timeWidth);
    AddColumn(list, 1, state.texts->sizeColumn, sizeWidth);
    AddColumn(list, 2, state.texts->textColumn, textWidth > sizeWidth ? textWidth : sizeWidth);
    int index = 0;
    for (const VersionRow& row : *state.rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(row.time.c_str());
        index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(row.size.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 2;
        item.pszText = const_cast<wchar_t*>(row.text.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        ++index;
    }
    if (!state.rows->empty()) {
        LVITEMW selected{};
        selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        selected.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    }
}

// The selected row ends the dialog; with none, nothing happens.
void Pick(HWND dialog) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    const LRESULT row = SendMessageW(GetDlgItem(dialog, kListId), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= state->rows->size()) {
        MessageBeep(MB_OK);
        return;
    }
    state->chosen = static_cast<size_t>(row);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK VersionsDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_INITDIALOG: {
        const auto* state = reinterpret_cast<DialogState*>(lp);
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        ui::FollowTheme(dialog);
        SetWindowTextW(dialog, state->texts->caption.c_str());
        SetDlgItemTextW(dialog, kHeadingId, state->texts->heading.c_str());
        SetDlgItemTextW(dialog, IDOK, state->texts->open.c_str());
        SetDlgItemTextW(dialog, IDCANCEL, state->texts->close.c_str());
        FillList(dialog, *state);
        ui::NameListAfterDialog(GetDlgItem(dialog, kListId));
        if (state->rows->empty()) {
            // Nothing to open: Enter closes.
            EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
            SendMessageW(dialog, DM_SETDEFID, IDCANCEL, 0);
            SetFocus(GetDlgItem(dialog, IDCANCEL));
        } else {
            SetFocus(GetDlgItem(dialog, kListId));
        }
        return FALSE;  // the focus is set
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->idFrom != kListId || header->code != static_cast<UINT>(NM_DBLCLK) ||
            reinterpret_cast<const NMITEMACTIVATE*>(lp)->iItem < 0)
            return FALSE;
        Pick(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            Pick(dialog);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::optional<size_t> ChooseVersion(HWND owner, const VersionsDialogTexts& texts, const std::vector<VersionRow>& rows) {
    if (!app::comctl::Load()) return std::nullopt;  // the list view lives there
    app::DialogTemplate dialog = app::ListDialogTemplate(owner, kHeadingId, kListId);
    dialog.AddItem(app::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 159, 143, 104, 14, IDOK, L"");
    dialog.AddItem(app::kButton, BS_PUSHBUTTON | WS_TABSTOP, 267, 143, 46, 14, IDCANCEL, L"");
    DialogState state{&texts, &rows, std::nullopt};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), app::VisibleOwner(owner),
                                                   VersionsDialogProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? state.chosen : std::nullopt;
}

}  // namespace tavrik::pages
