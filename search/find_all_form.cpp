// (Win32) Find in all pages. Loaded pages are searched in their editors, unsaved changes included; the
// others in their files, read without an editor and kept while unchanged, so a second search is a
// scan of memory. The pages are searched in slices between the user's keys, so typing never waits.
#include "search/find_all_form.h"

#include "app/comctl.h"
#include "app/dialog_template.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "ui/accessible_parts.h"
#include "ui/page_file_texts.h"
#include "ui/dark_mode.h"

#include <commctrl.h>
#include <richedit.h>

namespace tavrik::search {

using namespace app;  // the main window and what it builds on

namespace {

constexpr WORD kWhatLabelId = 100, kQueryId = 101, kMatchCaseId = 102, kWholeWordsId = 103, kListId = 104,
               kStatusId = 105;
constexpr size_t kMaxResults = 5000;
constexpr ULONGLONG kSliceMs = 15;
constexpr UINT kTypingPauseMs = 200;

int Pixels(HWND dialog, int units, bool vertical = false) {
    RECT rc{0, 0, units, units};
    MapDialogRect(dialog, &rc);  // follows the dialog's font and DPI
    return vertical ? rc.bottom : rc.right;
}

}  // namespace

TFindAllForm::~TFindAllForm() {
    if (dialog_) DestroyWindow(dialog_);
    if (markFont_) DeleteObject(markFont_);
}

void TFindAllForm::Show() {
    if (!dialog_) Create();
    if (!dialog_) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    hiddenWithOwner_ = false;
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    const HWND query = GetDlgItem(dialog_, kQueryId);
    SetFocus(query);
    SendMessageW(query, EM_SETSEL, 0, -1);
}

void TFindAllForm::Create() {
    if (!comctl::Load()) return;  // the list view lives there
    const auto [face, points] = MessageFont(form_.Handle());
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_CENTER, 320, 210, face, points);
    dialog.AddItem(kStatic, SS_LEFT | SS_CENTERIMAGE, 7, 7, 60, 12, kWhatLabelId, L"");
    dialog.AddItem(kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 70, 7, 243, 12, kQueryId, L"");
    dialog.AddItem(kButton, BS_AUTOCHECKBOX | WS_TABSTOP, 70, 23, 110, 10, kMatchCaseId, L"");
    dialog.AddItem(kButton, BS_AUTOCHECKBOX | WS_TABSTOP, 185, 23, 110, 10, kWholeWordsId, L"");
    dialog.AddItem(WC_LISTVIEWW,
                   WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                       LVS_NOSORTHEADER,
                   7, 38, 306, 150, kListId);
    dialog.AddItem(kStatic, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 7, 192, 306, 10, kStatusId, L"");
    // Owned by the main window, not its child, so it stays above it and goes when it goes.
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), form_.Handle(), DialogProc,
                               reinterpret_cast<LPARAM>(this));
    FollowOwnerOnTop();
}

// Windows makes the owned windows of a window put on top (or taken off it) follow it; said once
// more, it changes nothing there. Wine 8 moves neither while the window is shown.
void TFindAllForm::FollowOwnerOnTop() {
    if (!dialog_) return;
    const bool onTop = (GetWindowLongPtrW(form_.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(dialog_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

INT_PTR CALLBACK TFindAllForm::DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        reinterpret_cast<TFindAllForm*>(lp)->dialog_ = dialog;
        ui::FollowTheme(dialog);
    }
    auto* self = reinterpret_cast<TFindAllForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->OnMessage(msg, wp, lp) : FALSE;
}

// Up and down in the query box move through the results, as in a list that has the keyboard.
LRESULT CALLBACK TFindAllForm::QueryBoxProc(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept {
    if (msg == WM_KEYDOWN && (wp == VK_UP || wp == VK_DOWN || wp == VK_PRIOR || wp == VK_NEXT)) {
        auto* form = reinterpret_cast<TFindAllForm*>(self);
        return SendMessageW(form->list_, msg, wp, lp);
    }
    return comctl::DefSubclassProc(box, msg, wp, lp);
}

INT_PTR TFindAllForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: {
        list_ = GetDlgItem(dialog_, kListId);
        ui::NameListAfterDialog(list_);  // no label stands before the list
        SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                     LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        MakeMarkFont();
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNW item{};
            item.mask = LVCF_WIDTH | LVCF_SUBITEM;
            item.iSubItem = column;
            SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        }
        comctl::SetWindowSubclass(GetDlgItem(dialog_, kQueryId), QueryBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
        SetTexts();
        Layout();
        return TRUE;
    }
    case WM_SIZE: Layout(); return TRUE;
    case WM_DPICHANGED:
        // Windows scales the dialog's font and controls itself; the bold font and the columns follow after.
        PostMessageW(dialog_, kMsgSearchDpiChanged, 0, 0);
        return FALSE;
    case kMsgSearchDpiChanged:
        MakeMarkFont();
        Layout();
        return TRUE;
    case WM_ACTIVATE:
        // Pages may have been typed in, renamed or deleted meanwhile: the list is made anew.
        if (LOWORD(wp) != WA_INACTIVE && !query_.empty() && !job_.running) StartSearch();
        return FALSE;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {Pixels(dialog_, 240), Pixels(dialog_, 120, true)};
        return TRUE;
    }
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, OnNotify(*reinterpret_cast<const NMHDR*>(lp)));
        return TRUE;
    case WM_TIMER:
        KillTimer(dialog_, wp);
        if (wp == kTimerSearchTyping) StartSearch();
        else if (wp == kTimerSearchResume) Continue();
        return TRUE;
    case kMsgSearchMore: Continue(); return TRUE;
    case WM_CLOSE: Close(); return TRUE;
    case WM_DESTROY:
        comctl::RemoveWindowSubclass(GetDlgItem(dialog_, kQueryId), QueryBoxProc, 1);
        dialog_ = list_ = nullptr;
        return FALSE;
    }
    return FALSE;
}

void TFindAllForm::MakeMarkFont() {
    if (markFont_) DeleteObject(markFont_);
    markFont_ = nullptr;
    LOGFONTW font{};
    if (const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
        dialogFont && GetObjectW(dialogFont, sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        markFont_ = CreateFontIndirectW(&font);
    }
}

void TFindAllForm::SetTexts() {
    if (!dialog_) return;
    const auto text = [this](ui::PageText which) { return form_.PageText(which); };
    SetWindowTextW(dialog_, text(ui::PageText::FindAllCaption).c_str());
    SetDlgItemTextW(dialog_, kWhatLabelId, text(ui::PageText::FindAllWhat).c_str());
    SetDlgItemTextW(dialog_, kMatchCaseId, text(ui::PageText::FindAllMatchCase).c_str());
    SetDlgItemTextW(dialog_, kWholeWordsId, text(ui::PageText::FindAllWholeWords).c_str());
    const ui::PageText titles[] = {ui::PageText::FindAllPageColumn, ui::PageText::FindAllTextColumn};
    for (int column = 0; column < 2; ++column) {
        std::wstring title = text(titles[column]);
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT;
        item.pszText = title.data();
        SendMessageW(list_, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    }
}

// The query box and the list take the room the window is given; the list's text column the rest of its width.
void TFindAllForm::Layout() {
    if (!dialog_ || !list_) return;
    RECT client{};
    GetClientRect(dialog_, &client);
    const int margin = Pixels(dialog_, 7), queryLeft = Pixels(dialog_, 70);
    const int listTop = Pixels(dialog_, 38, true), statusHeight = Pixels(dialog_, 10, true);
    const int width = client.right - 2 * margin;
    const int statusTop = client.bottom - margin - statusHeight;
    const HWND query = GetDlgItem(dialog_, kQueryId);
    RECT box{};
    GetWindowRect(query, &box);
    SetWindowPos(query, nullptr, 0, 0, client.right - margin - queryLeft, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int listHeight = statusTop - Pixels(dialog_, 4, true) - listTop;
    SetWindowPos(list_, nullptr, margin, listTop, width, listHeight > 0 ? listHeight : 0, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(dialog_, kStatusId), nullptr, margin, statusTop, width, statusHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT inside{};
    GetClientRect(list_, &inside);
    const int pageWidth = Pixels(dialog_, 70);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, pageWidth);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, inside.right - pageWidth > pageWidth ? inside.right - pageWidth : pageWidth);
    InvalidateRect(dialog_, nullptr, TRUE);
}

void TFindAllForm::OnCommand(WORD id, WORD code) {
    switch (id) {
    case kQueryId:
        if (code == EN_CHANGE) SetTimer(dialog_, kTimerSearchTyping, kTypingPauseMs, nullptr);
        break;
    case kMatchCaseId:
    case kWholeWordsId:
        if (code == BN_CLICKED) StartSearch();
        break;
    case IDOK: {
        // Enter: the result picked, or the first one; a search still waiting for the pause runs first.
        if (KillTimer(dialog_, kTimerSearchTyping) || job_.running) {
            StartSearch();
            while (job_.running && !RunSlice(~0ULL)) {}
            if (job_.running) Finish();
        }
        const int picked = Selected();
        if (picked >= 0) ShowResult(static_cast<size_t>(picked), true);
        else if (results_.empty()) MessageBeep(MB_OK);
        else {
            Select(0);
            ShowResult(0, true);
        }
        break;
    }
    case IDCANCEL: Close(); break;
    }
}

LRESULT TFindAllForm::OnNotify(const NMHDR& header) {
    if (header.idFrom != kListId) return 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& info = *reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header));
        const auto row = static_cast<size_t>(info.item.iItem);
        if (!(info.item.mask & LVIF_TEXT) || row >= results_.size() || info.item.cchTextMax <= 0) return 0;
        const std::wstring text =
            info.item.iSubItem == 0 ? results_[row].page : ToWide(results_[row].line.text);
        const size_t room = static_cast<size_t>(info.item.cchTextMax) - 1;
        const size_t count = text.size() < room ? text.size() : room;
        text.copy(info.item.pszText, count);
        info.item.pszText[count] = L'\0';
        return 0;
    }
    case NM_DBLCLK:
        if (const int row = reinterpret_cast<const NMITEMACTIVATE*>(&header)->iItem; row >= 0)
            ShowResult(static_cast<size_t>(row), true);
        return 0;
    case NM_CUSTOMDRAW: return DrawLine(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    }
    return 0;
}

// The text column draws the match in bold on the marker colour of the system's highlight.
LRESULT TFindAllForm::DrawLine(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;  // the one flag asks for each row, then each column
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: break;
    default: return CDRF_DODEFAULT;
    }
    const auto row = static_cast<size_t>(draw.nmcd.dwItemSpec);
    if (draw.iSubItem != 1 || row >= results_.size()) return CDRF_DODEFAULT;
    const search::ResultLine& line = results_[row].line;
    RECT cell{};
    cell.top = 1;
    cell.left = LVIR_LABEL;
    if (!SendMessageW(list_, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return CDRF_DODEFAULT;
    const HDC hdc = draw.nmcd.hdc;
    const bool selected = SendMessageW(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
    const bool focused = GetFocus() == list_;
    const int back = selected ? (focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW;
    const int fore = selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    FillRect(hdc, &cell, ui::ThemeBrush(hdc, back));
    const app::SavedDc saved(hdc);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, ui::ThemeColor(fore));
    RECT room = cell;
    room.left += GetSystemMetrics(SM_CXEDGE) * 3;
    const std::wstring text = ToWide(line.text);
    const auto piece = [&](size_t from, size_t count, bool mark) {
        if (count == 0 || room.left >= room.right) return;
        if (mark && markFont_) SelectObject(hdc, markFont_);
        SIZE size{};
        GetTextExtentPoint32W(hdc, text.c_str() + from, static_cast<int>(count), &size);
        if (mark) {
            RECT marker{room.left, room.top + 1, room.left + size.cx < room.right ? room.left + size.cx : room.right,
                        room.bottom - 1};
            FillRect(hdc, &marker, ui::ThemeBrush(hdc, selected && focused ? COLOR_WINDOW : COLOR_INFOBK));
            SetTextColor(hdc, ui::ThemeColor(selected && focused ? COLOR_WINDOWTEXT : COLOR_INFOTEXT));
        }
        DrawTextW(hdc, text.c_str() + from, static_cast<int>(count), &room,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        room.left += size.cx;
        if (mark) {
            SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
            SetTextColor(hdc, ui::ThemeColor(fore));
        }
    };
    const size_t markAt = line.markAt < text.size() ? line.markAt : text.size();
    const size_t markEnd = markAt + line.markLength < text.size() ? markAt + line.markLength : text.size();
    piece(0, markAt, false);
    piece(markAt, markEnd - markAt, true);
    piece(markEnd, text.size() - markEnd, false);
    return CDRF_SKIPDEFAULT;
}

search::SearchOptions TFindAllForm::OptionsChecked() const {
    return {IsDlgButtonChecked(dialog_, kMatchCaseId) == BST_CHECKED,
            IsDlgButtonChecked(dialog_, kWholeWordsId) == BST_CHECKED};
}

void TFindAllForm::StartSearch() {
    KillTimer(dialog_, kTimerSearchTyping);
    KillTimer(dialog_, kTimerSearchResume);
    job_ = Job{};
    job_.query = ToU16(WindowText(GetDlgItem(dialog_, kQueryId)));
    job_.foldedQuery = search::FoldCase(job_.query);
    job_.options = OptionsChecked();
    if (job_.query.empty()) {
        query_.clear();
        results_.clear();
        SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
        ShowStatus(L"");
        return;
    }
    for (int i = 0; i < form_.PageCount(); ++i) job_.pages.push_back(form_.PageName(i));
    job_.running = true;
    ShowStatus(form_.PageText(ui::PageText::FindAllSearching));
    Continue();
}

// A slice of pages, then the user's keys and clicks, then the next slice.
void TFindAllForm::Continue() {
    if (!job_.running || !dialog_) return;
    if (HIWORD(GetQueueStatus(QS_INPUT)) != 0) {
        // A message posted now would come before the keys waiting: a timer lets them go first.
        SetTimer(dialog_, kTimerSearchResume, USER_TIMER_MINIMUM, nullptr);
        return;
    }
    if (RunSlice(GetTickCount64() + kSliceMs)) Finish();
    else PostMessageW(dialog_, kMsgSearchMore, 0, 0);
}

bool TFindAllForm::RunSlice(ULONGLONG until) {
    while (job_.next < job_.pages.size()) {
        SearchPage(job_.next++);
        if (GetTickCount64() >= until) break;
    }
    return job_.next >= job_.pages.size();
}

void TFindAllForm::SearchPage(size_t index) {
    if (job_.truncated) return;  // the list is full: the rest need not be read
    const std::wstring& name = job_.pages[index];
    int page = static_cast<int>(index);
    if (page >= form_.PageCount() || form_.PageName(page) != name) page = PageIndexOf(name);
    if (page < 0) return;  // gone since the search began
    const PageSlot& slot = form_.Page(page);
    search::SearchableText loaded;
    const search::SearchableText* text = nullptr;
    if (slot.editor && slot.loaded && !slot.unreadable) {
        loaded.text = editor::CaretText(slot.editor);
        loaded.folded = search::FoldCase(loaded.text);
        text = &loaded;
    } else {
        DWORD error = ERROR_SUCCESS;
        text = cache_.Get(form_.PagePath(page), form_.params.Plain, error);
        // No file in a folder that is there: a new page, empty. Anything else was not searched.
        if (!text && error == ERROR_FILE_TOO_LARGE) ++job_.tooLarge;
        else if (!text && error != ERROR_FILE_NOT_FOUND) ++job_.unread;
    }
    if (!text) return;
    const size_t room = kMaxResults - job_.found.size();
    const std::vector<size_t> matches = search::FindMatches(text->text, text->folded, job_.query, job_.foldedQuery,
                                                           job_.options, editor::IsWordChar, room + 1);
    if (matches.empty()) return;
    ++job_.pagesWithMatches;
    for (size_t i = 0; i < matches.size() && i < room; ++i)
        job_.found.push_back({name, matches[i], job_.query.size(), i, search::LineAround(text->text, matches[i], job_.query.size())});
    job_.truncated = matches.size() > room;
}

// The results change at once, the one picked before staying picked when it is still there.
void TFindAllForm::Finish() {
    job_.running = false;
    const int picked = Selected();
    std::wstring pickedPage;
    size_t pickedOrdinal = 0;
    if (picked >= 0 && static_cast<size_t>(picked) < results_.size()) {
        pickedPage = results_[static_cast<size_t>(picked)].page;
        pickedOrdinal = results_[static_cast<size_t>(picked)].ordinal;
    }
    const bool sameQuery = query_ == job_.query;
    results_ = std::move(job_.found);
    query_ = job_.query;
    options_ = job_.options;
    cache_.DropUnused();
    SendMessageW(list_, LVM_SETITEMCOUNT, results_.size(), 0);
    int keep = -1;
    for (size_t i = 0; sameQuery && !pickedPage.empty() && i < results_.size(); ++i)
        if (results_[i].page == pickedPage && results_[i].ordinal == pickedOrdinal) keep = static_cast<int>(i);
    Select(keep);
    InvalidateRect(list_, nullptr, TRUE);

    std::wstring status;
    if (results_.empty()) {
        status = FormatText(form_.PageText(ui::PageText::FindAllNothing), {ToWide(query_)});
    } else {
        status = FormatText(form_.PageText(ui::PageText::FindAllCount),
                            {std::to_wstring(results_.size()) + (job_.truncated ? L"+" : L""),
                             std::to_wstring(job_.pagesWithMatches)});
        if (job_.truncated)
            status += L" " + FormatText(form_.PageText(ui::PageText::FindAllFirstShown), {std::to_wstring(results_.size())});
    }
    if (job_.unread) status += L" " + FormatText(form_.PageText(ui::PageText::FindAllUnread), {std::to_wstring(job_.unread)});
    if (job_.tooLarge)
        status += L" " + FormatText(ToWide(ui::PageFileTextIn(ui::PageFileText::FindAllTooLarge, form_.InterfaceLanguage())),
                                    {std::to_wstring(job_.tooLarge)});
    ShowStatus(status);
}

void TFindAllForm::Search(const std::wstring& query, search::SearchOptions options) {
    if (!dialog_) Create();
    if (!dialog_) return;
    CheckDlgButton(dialog_, kMatchCaseId, options.matchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, kWholeWordsId, options.wholeWords ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(dialog_, kQueryId, query.c_str());
    StartSearch();
    while (job_.running && !RunSlice(~0ULL)) {}
    if (job_.running) Finish();
}

void TFindAllForm::ShowStatus(const std::wstring& text) const { SetDlgItemTextW(dialog_, kStatusId, text.c_str()); }

int TFindAllForm::PageIndexOf(const std::wstring& name) const {
    for (int i = 0; i < form_.PageCount(); ++i)
        if (form_.PageName(i) == name) return i;
    return -1;
}

int TFindAllForm::Selected() const {
    return list_ ? static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

void TFindAllForm::Select(int index) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (index < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

// The page as it is now: loaded, with whatever was typed since the search, the match is found again
// in it, by its place when it is still there, by its order on the page otherwise.
bool TFindAllForm::ShowResult(size_t index, bool focusEditor) {
    if (index >= results_.size()) return false;
    const Result result = results_[index];
    const int page = PageIndexOf(result.page);
    bool shown = false;
    if (page >= 0)
        form_.Alone([&] {
            if (page != form_.TabIndex()) form_.SwitchToPage(page);
            const HWND editor = form_.Editor(page);
            if (!editor || form_.Page(page).unreadable) return;
            const std::u16string text = editor::CaretText(editor);
            const std::vector<size_t> matches = search::FindMatches(
                text, search::FoldCase(text), query_, search::FoldCase(query_), options_, editor::IsWordChar, kMaxResults);
            if (matches.empty()) return;
            size_t at = result.ordinal < matches.size() ? matches[result.ordinal] : matches.back();
            for (size_t match : matches)
                if (match == result.at) at = match;
            CHARRANGE range{static_cast<LONG>(at), static_cast<LONG>(at + query_.size())};
            SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            SendMessageW(editor, EM_SCROLLCARET, 0, 0);
            if (focusEditor) {
                SetForegroundWindow(form_.Handle());
                SetFocus(editor);
            }
            form_.SelectionChange();
            shown = true;
        });
    if (!shown) {
        MessageBeep(MB_OK);
        StartSearch();  // the page or its text has gone: the list shows what there is now
    }
    return shown;
}

void TFindAllForm::Step(bool forward) {
    if (results_.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    const int count = static_cast<int>(results_.size());
    const int picked = Selected();
    const int next = picked < 0 ? (forward ? 0 : count - 1) : (picked + (forward ? 1 : count - 1)) % count;
    Select(next);
    ShowResult(static_cast<size_t>(next), false);
}

bool TFindAllForm::PreTranslate(MSG& msg) {
    if (!Open()) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F3 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        const HWND main = form_.Handle();
        if (msg.hwnd == dialog_ || IsChild(dialog_, msg.hwnd) || msg.hwnd == main || IsChild(main, msg.hwnd)) {
            Step(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
    }
    return IsDialogMessageW(dialog_, &msg) != FALSE;
}

void TFindAllForm::Close() {
    KillTimer(dialog_, kTimerSearchTyping);
    KillTimer(dialog_, kTimerSearchResume);
    job_.running = false;
    ShowWindow(dialog_, SW_HIDE);
    if (form_.WindowShown) {
        SetForegroundWindow(form_.Handle());
        if (const HWND editor = form_.CurrentEditor()) SetFocus(editor);
    }
}

void TFindAllForm::OwnerHidden() {
    if (!Open()) return;
    hiddenWithOwner_ = true;
    ShowWindow(dialog_, SW_HIDE);
}

void TFindAllForm::OwnerShown() {
    if (!dialog_ || !hiddenWithOwner_) return;
    hiddenWithOwner_ = false;
    ShowWindow(dialog_, SW_SHOWNOACTIVATE);
}

}  // namespace tavrik::search
