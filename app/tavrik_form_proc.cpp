// (Win32) TTavrikForm's window procedures: the thunk and the message switch, nothing else.
#include "app/messages.h"
#include "app/comctl.h"
#include "app/tavrik_form.h"
#include "editor/rich_ole.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

namespace tavrik::app {

LRESULT CALLBACK TTavrikForm::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {  // first message: bind the object to the handle
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<TTavrikForm*>(cs->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<TTavrikForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {  // last message
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->OnMessage(msg, wp, lp);
}

LRESULT TTavrikForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT drawn = 0; ui::MenuBarMessage(hwnd_, msg, wp, lp, drawn)) return drawn;
    switch (msg) {
    case WM_CREATE:        CreateChildren(); FormCreate(); return 0;
    case WM_SIZE:          Layout(); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lp)); return 0;
    case WM_SHOWWINDOW:    toolbars_.ShowFloating(wp != FALSE); if (wp) FormShow(); break;
    case WM_NOTIFY:        return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_COMMAND:       OnCommand(wp, lp); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wp)); return 0;
    case WM_MEASUREITEM:   return menus_->Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp), hwnd_, skin_);
    case WM_DRAWITEM:      return menus_->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp), skin_);
    case WM_HOTKEY:        Alone([this] { wmHotKey(); }); return 0;
    case WM_TIMER:
        if (wp == kTimerBuildHidden) BuildHiddenParts();
        else if (wp == kTimerAutoHide) HideTimerTime();
        else if (wp == kTimerAutoSave) AutoSaveTime();
        else if (wp == kTimerPageFiles) PageFilesTime();
        else if (wp == kTimerSettingsBack) SettingsBackTime();
        else if (wp == kTimerTellWhenShown) TellWhatWaited();
        else if (wp == kTimerRunCommands) RunCommands();
        else if (wp == kTimerPrepareOptions) PrepareOptions();
        return 0;
    case WM_ACTIVATEAPP:   OnActivateApp(wp != FALSE); return 0;
    case WM_SETFOCUS:      FocusCurrentPage(); return 0;
    // A window going away is not redrawn inactive, menu bar and all: -1 tells the system so.
    case WM_NCACTIVATE:    return ui::AfterFrameDrawn(hwnd_, DefWindowProcW(hwnd_, msg, wp, !wp && hiding_ ? -1 : lp));
    case WM_EXITSIZEMOVE:  wmEndOfResize(); return 0;
    case kMsgTrayIcon:     return OnTrayIcon(wp, lp);
    case WM_DPICHANGED:    OnDpiChanged(*reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_CLOSE:         Alone([this] { FormCloseQuery(); }); return 0;
    case WM_QUERYENDSESSION: return wmQueryEndSession();
    case WM_ENDSESSION:    wmEndSession(wp != FALSE); return 0;
    case WM_DRAWCLIPBOARD: return wmDrawClipboard(wp, lp);
    case kMsgCatchRefused: ShowCatchRefused(); return 0;
    case kMsgExitRequest:  Alone([this] { CloseMenuClick(); }); return 0;
    case kMsgTellWhenShown: TellWhatWaited(); return 0;
    case kMsgRunCommands:  RunCommands(); return 0;
    case WM_COPYDATA:      return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp)) ? TRUE : FALSE;
    case WM_CHANGECBCHAIN: return wmChangeCBChain(reinterpret_cast<HWND>(wp), reinterpret_cast<HWND>(lp));
    case WM_DESTROY:       FormDestroy(); return 0;
    case WM_SETTINGCHANGE: if (ui::IsColorSetChange(lp)) ApplyTheme(false); break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:  ApplyTheme(false); break;  // High Contrast on or off
    }
    if (msg == FindMessage()) { OnFindMessage(*reinterpret_cast<const FINDREPLACEW*>(lp)); return 0; }
    if (msg == window::TaskbarCreatedMsg()) { trayIcon_.OnTaskbarCreated(); return 0; }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT TTavrikForm::OnNotify(const NMHDR& header) {
    if (LRESULT result = 0; toolbars_.OnNotify(header, result)) return result;
    if (header.hwndFrom == TabControl1) {
        switch (header.code) {
        case TCN_SELCHANGING: {
            bool allowed = false;
            return Alone([&] { allowed = TabControl1Changing(); }) && allowed ? FALSE : TRUE;
        }
        case TCN_SELCHANGE:   book_.SetCurrent(TabCtrl_GetCurSel(TabControl1)); TabControl1Change(); return 0;
        }
        return 0;
    }
    if (header.code == EN_SELCHANGE) {
        SelectionChange();
        NoteChange(header.hwndFrom);  // also after a format change that came with no EN_CHANGE
    }
    if (header.code == EN_LINK) RichEditURLClick(reinterpret_cast<const ENLINK&>(header));
    if (header.code == editor::kTextDropNotice) {
        const auto& drop = reinterpret_cast<const editor::TextDropNotice&>(header);
        return static_cast<LRESULT>(PageTextDrop(header.hwndFrom, drop.text, drop.really, drop.screen));
    }
    if (header.code == EN_MSGFILTER) {
        const auto& filter = reinterpret_cast<const MSGFILTER&>(header);
        if (EditorKeyFilter(filter)) return 1;
        if (filter.msg == WM_RBUTTONUP) {
            POINT at{GET_X_LPARAM(filter.lParam), GET_Y_LPARAM(filter.lParam)};
            ClientToScreen(header.hwndFrom, &at);
            RichEditMouseUp(header.hwndFrom, at);
        }
    }
    return 0;
}

// The editors are children of the tab strip: their notices are passed up to the window, and they
// follow the strip's size.
LRESULT CALLBACK TTavrikForm::TabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<TTavrikForm*>(data);
    switch (msg) {
    case WM_NOTIFY:
        if (GetDlgCtrlID(reinterpret_cast<const NMHDR*>(lp)->hwndFrom) == kFirstEditorId)
            return SendMessageW(self->hwnd_, msg, wp, lp);
        break;
    case WM_COMMAND:
        return SendMessageW(self->hwnd_, msg, wp, lp);
    case WM_LBUTTONDOWN: {
        // The click selects the tab first, as the strip does it; a drag may follow.
        const LRESULT result = app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
        self->TabControl1MouseDown(msg, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return result;
    }
    case WM_MOUSEMOVE:
        if (wp & MK_LBUTTON) self->TabControl1MouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        else self->drag_ = {};
        break;
    case WM_LBUTTONUP:
        if (self->drag_.dragging) {
            self->drag_ = {};
            ReleaseCapture();
            if (self->TabControl1DragOver(hwnd))
                self->Alone([&] { self->TabControl1EndDrag({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); });
            return 0;
        }
        self->drag_ = {};
        break;
    case WM_CAPTURECHANGED:
        self->drag_ = {};  // another window took the mouse: the drag is off
        break;
    case WM_RBUTTONDOWN:
        self->Alone([&] { self->TabControl1MouseDown(msg, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); });
        return 0;
    case WM_RBUTTONUP:
        self->Alone([&] { self->TabControl1MouseUp(msg, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); });
        return 0;
    case WM_SIZE: {
        const LRESULT result = app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
        const int index = self->TabIndex();
        if (index >= 0) self->PlaceEditor(self->book_[index].editor);
        return result;
    }
    case WM_NCDESTROY:
        app::comctl::RemoveWindowSubclass(hwnd, TabProc, 0);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace tavrik::app
