// (Win32) The Pages not in the list dialog, built in memory like the program's other small dialogs.
#include "pages/unlisted_pages_dialog.h"

#include "app/comctl.h"
#include "app/dialog_template.h"
#include "app/list_columns.h"
#include "app/visible_owner.h"
#include "ui/dark_mode.h"

#include <commctrl.h>

namespace tavrik::pages {
namespace {

using app::AddColumn;
using app::DialogUnitsToPixels;

constexpr WORD kHeadingId = 100;

std::function<void(HWND)>& Hook() {
    static std::function<void(HWND)> hook;
    return hook;
}

struct DialogState {
    const UnlistedDialogTexts* texts;
    const std::vector<UnlistedRow>* rows;
    const std::function<bool(size_t, UnlistedAction)>* act;
    bool busy = false;  // an action's own boxes run a message loop: no second one meanwhile
};

DialogState& State(HWND dialog) { return *reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

void Select(HWND list, int item) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

void Fill(HWND dialog, const DialogState& state) {
    const HWND list = GetDlgItem(dialog, kUnlistedListId);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    const int copyWidth = DialogUnitsToPixels(dialog, 100);
    const int fileWidth = client.right - copyWidth - GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, state.texts->fileColumn, fileWidth > copyWidth ? fileWidth : copyWidth);
    AddColumn(list, 1, state.texts->copyOfColumn, copyWidth);
    for (size_t i = 0; i < state.rows->size(); ++i) {
        const UnlistedRow& row = (*state.rows)[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(row.file.c_str());
        item.lParam = static_cast<LPARAM>(i);  // the row's index stays with it as rows leave
        const auto at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(row.copyOf.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    if (!state.rows->empty()) Select(list, 0);
}

int SelectedItem(HWND dialog) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, kUnlistedListId), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         LVNI_SELECTED));
}

size_t RowOf(HWND dialog, int item) {
    LVITEMW data{};
    data.mask = LVIF_PARAM;
    data.iItem = item;
    SendMessageW(GetDlgItem(dialog, kUnlistedListId), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return static_cast<size_t>(data.lParam);
}

// "Beside" only for a conflict copy; with nothing selected, no button acts.
void UpdateButtons(HWND dialog) {
    const DialogState& state = State(dialog);
    const int item = SelectedItem(dialog);
    const bool any = item >= 0;
    EnableWindow(GetDlgItem(dialog, IDOK), any);
    EnableWindow(GetDlgItem(dialog, kUnlistedRecycleId), any);
    const HWND beside = GetDlgItem(dialog, kUnlistedBesideId);
    const bool copy = any && !(*state.rows)[RowOf(dialog, item)].copyOf.empty();
    if (!copy && GetFocus() == beside) SetFocus(GetDlgItem(dialog, kUnlistedListId));  // a disabled focus loses the keys
    EnableWindow(beside, copy);
}

void Act(HWND dialog, UnlistedAction action) {
    DialogState& state = State(dialog);
    const HWND list = GetDlgItem(dialog, kUnlistedListId);
    const int item = SelectedItem(dialog);
    if (state.busy || item < 0 || (action == UnlistedAction::Beside && !IsWindowEnabled(GetDlgItem(dialog, kUnlistedBesideId)))) {
        MessageBeep(MB_OK);
        return;
    }
    state.busy = true;
    const bool done = (*state.act)(RowOf(dialog, item), action);
    state.busy = false;
    if (done) {
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(item), 0);
        const auto left = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        if (left == 0) {
            EndDialog(dialog, IDOK);
            return;
        }
        Select(list, item < left ? item : left - 1);
    }
    UpdateButtons(dialog);
    SetFocus(list);
}

INT_PTR CALLBACK UnlistedPagesProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        ui::FollowTheme(dialog);
        const DialogState& state = State(dialog);
        SetWindowTextW(dialog, state.texts->caption.c_str());
        SetDlgItemTextW(dialog, kHeadingId, state.texts->heading.c_str());
        SetDlgItemTextW(dialog, IDOK, state.texts->add.c_str());
        SetDlgItemTextW(dialog, kUnlistedBesideId, state.texts->beside.c_str());
        SetDlgItemTextW(dialog, kUnlistedRecycleId, state.texts->recycle.c_str());
        SetDlgItemTextW(dialog, IDCANCEL, state.texts->close.c_str());
        Fill(dialog, state);
        UpdateButtons(dialog);
        SetFocus(GetDlgItem(dialog, kUnlistedListId));
        if (Hook()) Hook()(dialog);
        return FALSE;  // the focus is set
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->idFrom != kUnlistedListId) return FALSE;
        if (header->code == LVN_ITEMCHANGED) UpdateButtons(dialog);
        else if (header->code == static_cast<UINT>(NM_DBLCLK) && reinterpret_cast<const NMITEMACTIVATE*>(lp)->iItem >= 0)
            Act(dialog, UnlistedAction::Add);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDOK: Act(dialog, UnlistedAction::Add); return TRUE;
        case kUnlistedBesideId: Act(dialog, UnlistedAction::Beside); return TRUE;
        case kUnlistedRecycleId: Act(dialog, UnlistedAction::Recycle); return TRUE;
        case IDCANCEL:
            if (!State(dialog).busy) EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void SetUnlistedPagesHook(std::function<void(HWND dialog)> hook) { Hook() = std::move(hook); }

void ShowUnlistedPages(HWND owner, const UnlistedDialogTexts& texts, const std::vector<UnlistedRow>& rows,
                       const std::function<bool(size_t row, UnlistedAction action)>& act) {
    if (rows.empty() || !app::comctl::Load()) return;  // the list view lives there
    app::DialogTemplate dialog = app::ListDialogTemplate(owner, kHeadingId, kUnlistedListId);
    dialog.AddItem(app::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 143, 82, 14, IDOK, L"");
    dialog.AddItem(app::kButton, BS_PUSHBUTTON | WS_TABSTOP, 93, 143, 104, 14, kUnlistedBesideId, L"");
    dialog.AddItem(app::kButton, BS_PUSHBUTTON | WS_TABSTOP, 201, 143, 62, 14, kUnlistedRecycleId, L"");
    dialog.AddItem(app::kButton, BS_PUSHBUTTON | WS_TABSTOP, 267, 143, 46, 14, IDCANCEL, L"");
    DialogState state{&texts, &rows, &act};
    (void)DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), app::VisibleOwner(owner), UnlistedPagesProc,
                                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace tavrik::pages
