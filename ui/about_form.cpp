// (Win32) TAboutForm, built in memory like the name dialog, and TTavrikForm::AboutMenuClick.
#include "ui/about_form.h"

#include "app/dialog_template.h"
#include "app/dyn_api.h"
#include "app/shell_open.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "app/visible_owner.h"
#include "app/res/resource_ids.h"
#include "ui/about_texts.h"
#include "ui/dark_mode.h"

namespace tavrik::ui {

using namespace app;  // the main window and what it builds on

namespace {

constexpr WORD kIconId = 100, kProductId = 101, kWebId = 102, kMailId = 103;
constexpr int kIconAt96 = 32;

bool IsLink(int id) { return id == kWebId || id == kMailId; }

}  // namespace

void TAboutForm::ShowModal() {
    const HWND owner = form_.Handle();
    const auto [face, points] = MessageFont(owner);
    // Dialog units follow the font and Windows scales the dialog for the monitor's DPI; the links
    // are owner-drawn buttons so that Tab reaches them and Enter and Space open them.
    // Only an address the project really has is shown.
    const ui::ProjectAddresses& addresses = ui::ProjectAddressesOfBuild();
    const short okTop = static_cast<short>(42 + (addresses.web.empty() ? 0 : 16) + (addresses.mail.empty() ? 0 : 16));
    DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND, 160,
                       static_cast<short>(okTop + 22), face, points);
    box.AddItem(kStatic, SS_ICON | SS_NOTIFY, 10, 10, 21, 20, kIconId, L"");
    box.AddItem(kStatic, SS_LEFT | SS_NOPREFIX, 40, 14, 113, 10, kProductId, L"");
    short linkTop = 36;
    if (!addresses.web.empty()) {
        box.AddItem(kButton, BS_OWNERDRAW | WS_TABSTOP, 38, linkTop, 115, 12, kWebId, L"");
        linkTop += 16;
    }
    if (!addresses.mail.empty()) box.AddItem(kButton, BS_OWNERDRAW | WS_TABSTOP, 38, linkTop, 115, 12, kMailId, L"");
    box.AddItem(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 55, okTop, 50, 14, IDOK, L"OK");
    // Help, About is reached only from the shown window, which the box keeps disabled while up.
    (void)DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), VisibleOwner(owner), DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    if (!pendingOpen_.empty()) ShellOpen(owner, pendingOpen_);
}

INT_PTR CALLBACK TAboutForm::DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        reinterpret_cast<TAboutForm*>(lp)->dialog_ = dialog;
        ui::FollowTheme(dialog);
    }
    auto* self = reinterpret_cast<TAboutForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->OnMessage(msg, wp, lp) : FALSE;
}

INT_PTR TAboutForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: FormShow(); return FALSE;  // the focus is set
    case WM_DRAWITEM: DrawLink(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_SETCURSOR: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wp));
        if (!IsLink(id) && (id != kIconId || ui::ProjectAddressesOfBuild().web.empty())) return FALSE;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kIconId:
            if ((HIWORD(wp) == STN_CLICKED || HIWORD(wp) == STN_DBLCLK) && !ui::ProjectAddressesOfBuild().web.empty())
                CommentsClick();
            return TRUE;
        case kWebId: CommentsClick(); return TRUE;
        case kMailId: Label1Click(); return TRUE;
        case IDOK: {
            // Enter on a focused link opens it, whatever the dialog manager chose to send.
            const int focused = GetDlgCtrlID(GetFocus());
            if (focused == kWebId) CommentsClick();
            else if (focused == kMailId) Label1Click();
            else OKButtonClick();
            return TRUE;
        }
        case IDCANCEL: OKButtonClick(); return TRUE;
        }
        break;
    case WM_DESTROY: FormClose(); return TRUE;
    }
    return FALSE;
}

void TAboutForm::FormShow() {
    if (form_.params.Language < 0 || form_.params.Language > 1) form_.params.Language = 0;
    const ui::Language language = ui::LanguageFromSetting(form_.params.Language);
    SetWindowTextW(dialog_, ToWide(ui::AboutCaption(language)).c_str());
    SetDlgItemTextW(dialog_, kProductId, ToWide(ui::AboutProductLine()).c_str());
    SetDlgItemTextW(dialog_, kWebId, ToWide(ui::WebLabel(ui::ProjectAddressesOfBuild().web)).c_str());
    SetDlgItemTextW(dialog_, kMailId, ToWide(ui::ProjectAddressesOfBuild().mail).c_str());

    // The icon drawn at the box's DPI from the icon's own images, not stretched from 32 pixels.
    const int pixels = MulDiv(kIconAt96, static_cast<int>(WindowDpi(dialog_)), 96);
    icon_.Reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVRIK), IMAGE_ICON,
                                              pixels, pixels, LR_DEFAULTCOLOR)));
    if (icon_) {
        const HWND image = GetDlgItem(dialog_, kIconId);
        SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
        SetWindowPos(image, nullptr, 0, 0, pixels, pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LOGFONTW font{};
    if (const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
        dialogFont && GetObjectW(dialogFont, sizeof font, &font)) {
        font.lfUnderline = TRUE;
        linkFont_.Reset(CreateFontIndirectW(&font));
    }

    // Esc and the other keys now belong to the box.
    keysWereOn_ = form_.KeysEnabled();
    form_.DisableKeys();
    SetFocus(GetDlgItem(dialog_, IDOK));  // Enter closes at once; Tab reaches the links
}

// However the box went. The hot key may have hidden the window meanwhile: its keys stay off then.
void TAboutForm::FormClose() {
    if (keysWereOn_ && form_.WindowShown) form_.EnableKeys();
    icon_.Reset();
    linkFont_.Reset();
}

void TAboutForm::CommentsClick() {
    pendingOpen_ = ToWide(ui::ProjectAddressesOfBuild().web);
    EndDialog(dialog_, IDOK);
}

void TAboutForm::Label1Click() {
    pendingOpen_ = ToWide(ui::MailtoAddress(ui::ProjectAddressesOfBuild().mail));
    EndDialog(dialog_, IDOK);
}

void TAboutForm::OKButtonClick() { EndDialog(dialog_, IDOK); }

// A link: blue underlined text, and the focus rectangle when the keyboard is on it.
void TAboutForm::DrawLink(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, ui::ThemeBrush(item.hDC, COLOR_BTNFACE));
    const std::wstring text = WindowText(item.hwndItem);
    const HGDIOBJ old = linkFont_ ? SelectObject(item.hDC, linkFont_.Get()) : nullptr;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ui::ThemeColor(COLOR_HOTLIGHT));
    RECT fit = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &fit, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    RECT box = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        RECT focus{item.rcItem.left, item.rcItem.top, fit.right + 2, item.rcItem.bottom};
        if (focus.right > item.rcItem.right) focus.right = item.rcItem.right;
        DrawFocusRect(item.hDC, &focus);
    }
    if (old) SelectObject(item.hDC, old);
}

}  // namespace tavrik::ui

namespace tavrik::app {

void TTavrikForm::AboutMenuClick() {
    ui::TAboutForm about(*this);
    about.ShowModal();
}

}  // namespace tavrik::app
