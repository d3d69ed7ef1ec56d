// (Win32) The Go to page dialog, built in memory like the program's other small dialogs.
#include "search/go_to_page_dialog.h"

#include "app/comctl.h"
#include "app/dialog_template.h"
#include "app/text.h"
#include "app/unique.h"
#include "app/visible_owner.h"
#include "pages/page_name.h"
#include "search/text_cache.h"
#include "ui/accessible_parts.h"
#include "ui/dark_mode.h"

namespace tavrik::search {
namespace {

constexpr WORD kFilterLabelId = 100;

void (*g_hook)(HWND) = nullptr;

struct DialogState {
    const GoToPageTexts* texts;
    const std::vector<std::wstring>* names;
    std::vector<std::u16string> folded;  // the names with their case folded, for the filter
    int current;
    HFONT boldFont = nullptr;
    std::optional<int> chosen;
};

DialogState& State(HWND dialog) { return *reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// The pages whose names hold the filter's text; the current page picked when it is among them.
void Fill(HWND dialog) {
    DialogState& state = State(dialog);
    const HWND list = GetDlgItem(dialog, kGoToPageListId);
    const std::u16string wanted = FoldCase(app::ToU16(app::WindowText(GetDlgItem(dialog, kGoToPageFilterId))));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int pick = 0;
    for (size_t i = 0; i < state.names->size(); ++i) {
        if (state.folded[i].find(wanted) == std::u16string::npos) continue;
        const std::wstring shown = app::ToWide(pages::ShownName(app::ToU16((*state.names)[i])));
        const LRESULT row = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (row < 0) continue;
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(i));
        if (static_cast<int>(i) == state.current) pick = static_cast<int>(row);
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(pick), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Pick(HWND dialog) {
    const HWND list = GetDlgItem(dialog, kGoToPageListId);
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (row < 0) {
        MessageBeep(MB_OK);  // nothing left by the filter
        return;
    }
    State(dialog).chosen = static_cast<int>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
    EndDialog(dialog, IDOK);
}

void DrawName(HWND dialog, const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const DialogState& state = State(dialog);
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, ui::ThemeBrush(item.hDC, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::wstring& name = (*state.names)[item.itemData];  // each row's data is its page's index
    {
        const app::SavedDc saved(item.hDC);
        if (static_cast<int>(item.itemData) == state.current && state.boldFont) SelectObject(item.hDC, state.boldFont);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, ui::ThemeColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = item.rcItem;
        text.left += GetSystemMetrics(SM_CXEDGE) * 2;
        DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

// Up, down and the page keys in the filter box move in the list, so typing and choosing go together.
LRESULT CALLBACK FilterProc(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR list) noexcept {
    if (msg == WM_KEYDOWN && (wp == VK_UP || wp == VK_DOWN || wp == VK_PRIOR || wp == VK_NEXT))
        return SendMessageW(reinterpret_cast<HWND>(list), msg, wp, lp);
    return app::comctl::DefSubclassProc(box, msg, wp, lp);
}

INT_PTR CALLBACK GoToPageProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        ui::FollowTheme(dialog);
        DialogState& state = State(dialog);
        SetWindowTextW(dialog, state.texts->caption.c_str());
        SetDlgItemTextW(dialog, kFilterLabelId, state.texts->filter.c_str());
        SetDlgItemTextW(dialog, IDOK, state.texts->show.c_str());
        SetDlgItemTextW(dialog, IDCANCEL, state.texts->close.c_str());
        ui::NameListAfterDialog(GetDlgItem(dialog, kGoToPageListId));  // its label names the filter box
        LOGFONTW font{};
        if (const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
            dialogFont && GetObjectW(dialogFont, sizeof font, &font)) {
            font.lfWeight = FW_BOLD;
            state.boldFont = CreateFontIndirectW(&font);
        }
        const HWND filter = GetDlgItem(dialog, kGoToPageFilterId);
        app::comctl::SetWindowSubclass(filter, FilterProc, 1,
                                       reinterpret_cast<DWORD_PTR>(GetDlgItem(dialog, kGoToPageListId)));
        Fill(dialog);
        SetFocus(filter);
        if (g_hook) g_hook(dialog);
        return FALSE;  // the focus is set
    }
    case WM_MEASUREITEM: {
        // The dialog's font, whatever the DPI: its height with a little air.
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        TEXTMETRICW metrics{};
        const app::WindowDc hdc(dialog);
        const app::SavedDc saved(hdc.Get());
        SelectObject(hdc.Get(), reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
        GetTextMetricsW(hdc.Get(), &metrics);
        item.itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmHeight / 4);
        return TRUE;
    }
    case WM_DRAWITEM: DrawName(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kGoToPageFilterId:
            if (HIWORD(wp) == EN_CHANGE) Fill(dialog);
            return TRUE;
        case kGoToPageListId:
            if (HIWORD(wp) == LBN_DBLCLK) Pick(dialog);
            return TRUE;
        case IDOK: Pick(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        break;
    case WM_DESTROY:
        app::comctl::RemoveWindowSubclass(GetDlgItem(dialog, kGoToPageFilterId), FilterProc, 1);
        break;
    }
    return FALSE;
}

}  // namespace

void SetGoToPageHook(void (*hook)(HWND dialog)) { g_hook = hook; }

std::optional<int> ChoosePage(HWND owner, const GoToPageTexts& texts, const std::vector<std::wstring>& names, int current) {
    if (!app::comctl::Load()) return std::nullopt;  // the filter box's subclass lives there
    const auto [face, points] = app::MessageFont(owner);
    app::DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND, 200,
                               200, face, points);
    dialog.AddItem(app::kStatic, SS_LEFT, 7, 7, 186, 9, kFilterLabelId, L"");
    dialog.AddItem(app::kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 18, 186, 12, kGoToPageFilterId, L"");
    dialog.AddItem(app::kListBox,
                   WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                       LBS_NOINTEGRALHEIGHT,
                   7, 34, 186, 140, kGoToPageListId, L"");
    dialog.AddItem(app::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 179, 50, 14, IDOK, L"");
    dialog.AddItem(app::kButton, BS_PUSHBUTTON | WS_TABSTOP, 143, 179, 50, 14, IDCANCEL, L"");
    DialogState state{&texts, &names, {}, current, nullptr, std::nullopt};
    state.folded.reserve(names.size());
    for (const std::wstring& name : names) state.folded.push_back(FoldCase(app::ToU16(name)));
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), app::VisibleOwner(owner),
                                                   GoToPageProc, reinterpret_cast<LPARAM>(&state));
    if (state.boldFont) DeleteObject(state.boldFont);
    return result == IDOK ? state.chosen : std::nullopt;
}

}  // namespace tavrik::search
