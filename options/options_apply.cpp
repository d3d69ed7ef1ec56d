// (Win32) TOptionsForm's Apply, OK and Cancel, the default font and colours, and "Use now".
#include "options/options_form.h"

#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/res/resource_ids.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "options/options_rules.h"
#include "settings/parameters.h"
#include "ui/language_tables.h"

#include <commctrl.h>

namespace tavrik::app {
namespace {
const std::wstring kParameters(ToWide(settings::kSectionParameters));
}  // namespace

// The hot key is not among what Apply takes: only "Use now" changes it, so a combination typed
// but not confirmed never replaces, or loses, the one in force.
void TOptionsForm::ApplyButtonClick() {
    TTavrikForm& f = form_;
    // The page folder. The text is compared as typed; the move itself knows the same folder under
    // another spelling and leaves it alone.
    const std::wstring folder = Item(IDC_SAVE_TO) ? WindowText(Item(IDC_SAVE_TO)) : f.SaveToFolder;
    if (options::FolderTextDiffers(ToU16(folder), ToU16(f.SaveToFolder)) && f.MoveSaveFolder(folder, dialog_))
        SetWindowTextW(Item(IDC_SAVE_TO), f.SaveToFolder.c_str());  // as stored: a full path

    f.AutoHide = TickedOr(IDC_AUTO_HIDE, f.AutoHide);
    f.HideTimeout = SpinValue(IDC_HIDE_TIMEOUT, options::kHideTimeoutMin, options::kHideTimeoutMax, f.HideTimeout);
    f.AutoStart = TickedOr(IDC_AUTOSTART, f.AutoStart);
    f.CloseAsMinimize = TickedOr(IDC_CLOSE_MIN, f.CloseAsMinimize);
    f.RunKey.Apply(f.AutoStart, f.env_.programPath);
    f.AutoTab = TickedOr(IDC_AUTO_TAB, f.AutoTab);
    f.AutoDecode = TickedOr(IDC_AUTO_DECODE, f.AutoDecode);
    f.AutoSave = SpinValue(IDC_AUTO_SAVE, 0, settings::kMaxAutoSave, f.AutoSave);
    // The translucency is on the window already, from the preview; showing and hiding read these.
    f.NoTransparency = Ticked(IDC_NO_TRANSPARENCY);
    f.ShowCool = Ticked(IDC_SHOW_COOL);
    f.MaxTransparency = options::AlphaOfPosition(static_cast<int>(SendMessageW(Item(IDC_TRANSPARENCY), TBM_GETPOS, 0, 0)));
    f.FadeSpeed = SpinValue(IDC_FADE_SPEED, options::kFadeSpeedMin, options::kFadeSpeedMax, f.FadeSpeed);
    f.OnTop = TickedOr(IDC_ON_TOP, f.OnTop);
    SetWindowPos(f.Handle(), f.OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    f.SetTrayIconShown(TickedOr(IDC_SHOW_ICON, f.ShowTrayIcon));

    // The pages' format, before the settings are written, so that one write holds every key.
    const bool wantPlain = TickedOr(IDC_PLAIN, f.Plain);
    if (wantPlain && !f.Plain) {
        const ui::MessageText question = ui::PlainTextQuestion();
        if (ShowMessage(dialog_, ToWide(question.text), ToWide(question.caption), MB_YESNO | MB_ICONQUESTION) == IDYES)
            (void)f.ConvertPages(true, dialog_);  // what could not be converted was named
    } else if (!wantPlain && f.Plain) {
        (void)f.ConvertPages(false, dialog_);
    }

    // One write of the settings file, so a refused one is reported once rather than for each key.
    (void)f.IniFile->Edit([&](settings::IniEdit& edit) {
        edit.WriteBool(kParameters, L"AutoHide", f.AutoHide);
        edit.WriteInteger(kParameters, L"HideTimeout", f.HideTimeout);
        edit.WriteBool(kParameters, L"AutoStart", f.AutoStart);
        edit.WriteBool(kParameters, L"CloseAsMinimize", f.CloseAsMinimize);
        edit.WriteBool(kParameters, L"AutoTab", f.AutoTab);
        edit.WriteBool(kParameters, L"AutoDecode", f.AutoDecode);
        edit.WriteInteger(kParameters, L"AutoSave", f.AutoSave);
        edit.WriteBool(kParameters, L"NoTransparency", f.NoTransparency);
        edit.WriteInteger(kParameters, L"MaxTransparency", f.MaxTransparency);
        edit.WriteBool(kParameters, L"ShowCool", f.ShowCool);
        edit.WriteInteger(kParameters, L"FadeSpeed", f.FadeSpeed);
        edit.WriteBool(kParameters, L"OnTop", f.OnTop);
        edit.WriteBool(kParameters, L"ShowTrayIcon", f.ShowTrayIcon);
        edit.WriteBool(kParameters, L"MultiTabs", f.Multitabs);
        edit.WriteBool(kParameters, L"Plain", f.Plain);
    });
    SetForegroundWindow(dialog_);
}

void TOptionsForm::OKButtonClick() {
    ApplyButtonClick();
    done_ = true;  // the loop ends and the dialog goes
}

// What the preview did to the window goes; what took effect at once stays.
void TOptionsForm::CancelButtonClick() {
    if (previewed_) form_.Transparency(form_.Handle(), form_.NoTransparency ? -1 : form_.MaxTransparency);
    done_ = true;
}

void TOptionsForm::UseHotKeyButtonClick() {
    const HWND control = Item(IDC_HOT_KEY);
    int value = options::PackedFromControl(static_cast<std::uint32_t>(SendMessageW(control, HKM_GETHOTKEY, 0, 0)));
    form_.SetNewHotKey(1, value);
    form_.SetNewHotKey(2, value);
    SendMessageW(control, HKM_SETHOTKEY, options::ControlFromPacked(value), 0);
    form_.HotKeyReady = false;  // the dialog is still open
}

// The default font reaches every page at once, also those whose editor is not made yet: they are
// made with the fields set here.
void TOptionsForm::FontDefaultButtonClick() {
    TTavrikForm& f = form_;
    const editor::CharFormat preset{f.DefaultFontName, f.DefaultFontSize, f.DefaultFontColor, f.DefaultFontStyle};
    const auto chosen = ChooseFontFor(dialog_, preset);
    if (!chosen) return;
    f.DefaultFontName = chosen->face;
    if (settings::IsFontSize(chosen->sizePoints)) f.DefaultFontSize = chosen->sizePoints;
    f.DefaultFontStyle = chosen->style;
    f.DefaultFontColor = chosen->color;
    (void)f.IniFile->Edit([&](settings::IniEdit& edit) {
        edit.WriteString(kParameters, L"DefaultFontName", f.DefaultFontName);
        edit.WriteInteger(kParameters, L"DefaultFontSize", f.DefaultFontSize);
        edit.WriteInteger(kParameters, L"DefaultFontStyle", f.DefaultFontStyle);
        edit.WriteInteger(kParameters, L"DefaultFontColor", f.DefaultFontColor);
    });
    const editor::CharFormat format{f.DefaultFontName, f.DefaultFontSize, f.DefaultFontColor, f.DefaultFontStyle};
    for (const PageSlot& page : f.book_)
        if (page.editor) editor::SetDefaultCharFormat(page.editor, format);
}

// Every page takes the colour, its entry too, so the page list written at the end agrees with
// what is on screen. A page that could not be read keeps its grey until it is read.
void TOptionsForm::ColorDefaultButtonClick() {
    TTavrikForm& f = form_;
    const auto chosen = ChooseColorFor(dialog_, editor::ResolveColor(f.DefaultRichEditColor));
    if (!chosen) return;
    f.DefaultRichEditColor = static_cast<std::int32_t>(*chosen);
    (void)f.IniFile->WriteInteger(kParameters, L"DefaultRichEditColor", f.DefaultRichEditColor);
    for (PageSlot& page : f.book_) {
        page.entry.color = f.DefaultRichEditColor;
        if (page.editor && !page.unreadable) SendMessageW(page.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(*chosen));
    }
}

// The background belongs to the page: kept in its entry, which is written at once, chosen or not.
void TOptionsForm::ColorButtonClick() {
    TTavrikForm& f = form_;
    const int index = f.TabIndex();
    const HWND editor = f.CurrentEditor();
    if (!editor) return;
    PageSlot& page = f.book_[index];
    const HWND owner = open_ ? dialog_ : f.Handle();  // the kept dialog is hidden between openings
    if (const auto chosen = ChooseColorFor(owner, editor::ResolveColor(page.entry.color))) {
        page.entry.color = static_cast<std::int32_t>(*chosen);
        if (!page.unreadable) SendMessageW(editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(*chosen));
    }
    (void)f.RewritePageEntry(index);
}

// Rows of tabs on or off: the strip is laid out again and the page takes the room that is left.
void TTavrikForm::SetTabRows(bool multiline) {
    if (!TabControl1) return;
    const LONG_PTR style = GetWindowLongPtrW(TabControl1, GWL_STYLE);
    SetWindowLongPtrW(TabControl1, GWL_STYLE, multiline ? style | TCS_MULTILINE : style & ~static_cast<LONG_PTR>(TCS_MULTILINE));
    Layout();
    for (const PageSlot& page : book_)
        if (page.editor) PlaceEditor(page.editor);
    InvalidateRect(TabControl1, nullptr, TRUE);
}

void TTavrikForm::SetTrayIconShown(bool shown) {
    ShowTrayIcon = shown;
    if (!shown) trayIcon_.Remove();
    else if (!trayIcon_.Wanted() && env_.trayIcon) AddTrayIcon();
}

void TTavrikForm::BackgroundMenuItemClick() {
    if (!OptionsForm) OptionsForm = std::make_unique<TOptionsForm>(*this);
    OptionsForm->ColorButtonClick();
}

}  // namespace tavrik::app
