// (Win32) TOptionsForm's Apply, OK and Cancel, the default font and colours, and "Use now".
#include "options/options_form.h"

#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/res/resource_ids.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "options/options_rules.h"
#include "search/find_all_form.h"
#include "settings/parameters.h"
#include "ui/language_tables.h"
#include "ui/options_texts.h"

#include <commctrl.h>

namespace tavrik::options {

using namespace app;  // the main window and what it builds on

// The hot key is not among what Apply takes: only "Use now" changes it, so a combination typed
// but not confirmed never replaces, or loses, the one in force.
void TOptionsForm::ApplyButtonClick() {
    TTavrikForm& f = form_;
    // The page folder. The text is compared as typed; the move itself knows the same folder under
    // another spelling and leaves it alone.
    const std::wstring folder = Item(IDC_SAVE_TO) ? WindowText(Item(IDC_SAVE_TO)) : ToWide(f.params.SaveTo);
    if (options::FolderTextDiffers(ToU16(folder), f.params.SaveTo) && f.MoveSaveFolder(folder, dialog_))
        SetWindowTextW(Item(IDC_SAVE_TO), ToWide(f.params.SaveTo).c_str());  // as stored: a full path

    f.params.AutoHide = TickedOr(IDC_AUTO_HIDE, f.params.AutoHide);
    f.params.HideTimeout =
        SpinValue(IDC_HIDE_TIMEOUT, options::kHideTimeoutMin, options::kHideTimeoutMax, f.params.HideTimeout);
    f.params.AutoStart = TickedOr(IDC_AUTOSTART, f.params.AutoStart);
    f.params.CloseAsMinimize = TickedOr(IDC_CLOSE_MIN, f.params.CloseAsMinimize);
    f.params.ShowOnMouseMonitor = TickedOr(IDC_MOUSE_MONITOR, f.params.ShowOnMouseMonitor);
    f.ApplyAutoStart();
    f.params.AutoTab = TickedOr(IDC_AUTO_TAB, f.params.AutoTab);
    f.params.AutoDecode = TickedOr(IDC_AUTO_DECODE, f.params.AutoDecode);
    f.params.AutoSave = SpinValue(IDC_AUTO_SAVE, 0, settings::kMaxAutoSave, f.params.AutoSave);
    if (const bool spelling = TickedOr(IDC_SPELL_CHECK, f.params.SpellCheck); spelling != f.params.SpellCheck) {
        f.params.SpellCheck = spelling;
        f.ApplySpelling();
    }
    if (const HWND list = Item(IDC_NO_CATCH)) f.params.NoCatchFrom = ToU16(WindowText(list));
    // The translucency is on the window already, from the preview; showing and hiding read these.
    f.params.NoTransparency = Ticked(IDC_NO_TRANSPARENCY);
    f.params.ShowCool = Ticked(IDC_SHOW_COOL);
    f.params.MaxTransparency =
        options::AlphaOfPosition(static_cast<int>(SendMessageW(Item(IDC_TRANSPARENCY), TBM_GETPOS, 0, 0)));
    f.params.FadeSpeed = SpinValue(IDC_FADE_SPEED, options::kFadeSpeedMin, options::kFadeSpeedMax, f.params.FadeSpeed);
    // The theme, on every window at once; the dialog follows it too.
    if (const HWND theme = Item(IDC_THEME)) {
        const auto chosen = static_cast<std::int32_t>(SendMessageW(theme, CB_GETCURSEL, 0, 0));
        if (chosen >= 0 && chosen != f.params.Theme) {
            f.params.Theme = static_cast<std::int32_t>(ui::ThemeChoiceOf(chosen));
            f.ApplyTheme(true);
        }
    }
    f.params.OnTop = TickedOr(IDC_ON_TOP, f.params.OnTop);
    f.ApplyOnTop();
    f.SetTrayIconShown(TickedOr(IDC_SHOW_ICON, f.params.ShowTrayIcon));

    // The pages' format, before the settings are written, so that one write holds every key.
    const bool wantPlain = TickedOr(IDC_PLAIN, f.params.Plain);
    if (wantPlain && !f.params.Plain) {
        // No is the default: Yes drops the formatting of every page. After No the box is unticked
        // again, so that OK does not ask a second time and the dialog shows what is in force.
        const ui::MessageText question = ui::PlainTextQuestionIn(Language());
        if (ShowMessage(dialog_, ToWide(question.text), ToWide(question.caption),
                        MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
            (void)f.ConvertPages(true, dialog_);  // what could not be converted was named
        else if (const HWND box = Item(IDC_PLAIN))
            SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    } else if (!wantPlain && f.params.Plain) {
        (void)f.ConvertPages(false, dialog_);
    }

    // One write of the settings file, so a refused one is reported once rather than for each key.
    using P = settings::Parameters;
    (void)f.StoreParameters({&P::AutoHide, &P::HideTimeout, &P::AutoStart, &P::CloseAsMinimize, &P::AutoTab,
                             &P::AutoDecode, &P::AutoSave, &P::NoTransparency, &P::MaxTransparency, &P::ShowCool,
                             &P::FadeSpeed, &P::OnTop, &P::ShowTrayIcon, &P::Multitabs, &P::Plain,
                             &P::ShowOnMouseMonitor, &P::SpellCheck, &P::NoCatchFrom, &P::Theme});
    SetForegroundWindow(dialog_);
}

void TOptionsForm::OKButtonClick() {
    ApplyButtonClick();
    done_ = true;  // the loop ends and the dialog goes
}

// What the preview did to the window goes; what took effect at once stays.
void TOptionsForm::CancelButtonClick() {
    if (previewed_) form_.Transparency(form_.Handle(), form_.params.NoTransparency ? -1 : form_.params.MaxTransparency);
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

void TOptionsForm::FontDefaultButtonClick() {
    TTavrikForm& f = form_;
    const auto chosen = ChooseFontFor(dialog_, f.DefaultFormat());
    if (!chosen) return;
    f.params.DefaultFontName = ToU16(chosen->face);
    if (settings::IsFontSize(chosen->sizePoints)) f.params.DefaultFontSize = chosen->sizePoints;
    f.params.DefaultFontStyle = chosen->style;
    f.params.DefaultFontColor = chosen->color;
    using P = settings::Parameters;
    (void)f.StoreParameters({&P::DefaultFontName, &P::DefaultFontSize, &P::DefaultFontStyle, &P::DefaultFontColor});
    f.ApplyDefaultFont();
}

void TOptionsForm::ColorDefaultButtonClick() {
    TTavrikForm& f = form_;
    const auto chosen = ChooseColorFor(dialog_, editor::ResolveColor(f.params.DefaultRichEditColor));
    if (!chosen) return;
    f.params.DefaultRichEditColor = static_cast<std::int32_t>(*chosen);
    (void)f.StoreParameters({&settings::Parameters::DefaultRichEditColor});
    f.ApplyDefaultBackground();
}

void TOptionsForm::ColorButtonClick() {
    form_.ChoosePageBackground(open_ ? dialog_ : form_.Handle());  // the kept dialog is hidden between openings
}

}  // namespace tavrik::options

namespace tavrik::app {

// The default font reaches every page at once, also those whose editor is not made yet: they are
// made with the default in force.
void TTavrikForm::ApplyDefaultFont() {
    const editor::CharFormat format = DefaultFormat();
    for (const PageSlot& page : book_)
        if (page.editor) editor::SetDefaultCharFormat(page.editor, format);
}

void TTavrikForm::ApplySpelling() {
    for (const PageSlot& page : book_)
        if (page.editor) editor::SetSpelling(page.editor, params.SpellCheck);
}

// Every page takes the colour, its entry too, so the page list written at the end agrees with
// what is on screen. A page that could not be read keeps its grey until it is read.
void TTavrikForm::ApplyDefaultBackground() {
    const auto color = editor::ResolveColor(params.DefaultRichEditColor);
    for (PageSlot& page : book_) {
        page.entry.color = params.DefaultRichEditColor;
        if (page.editor && !page.unreadable) SendMessageW(page.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(color));
    }
}

// The background belongs to the page: kept in its entry, which is written at once, chosen or not.
void TTavrikForm::ChoosePageBackground(HWND owner) {
    const int index = TabIndex();
    const HWND editor = CurrentEditor();
    if (!editor) return;
    PageSlot& page = book_[index];
    if (const auto chosen = ChooseColorFor(owner, editor::ResolveColor(page.entry.color))) {
        page.entry.color = static_cast<std::int32_t>(*chosen);
        if (!page.unreadable) SendMessageW(editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(*chosen));
    }
    (void)RewritePageEntry(index);
}

void TTavrikForm::SetStyle(int style) {
    params.Style = style;
    ApplySkin();
    (void)StoreParameters({&settings::Parameters::Style});  // refusal reported
}

void TTavrikForm::ApplyAutoStart() { RunKey.Apply(params.AutoStart, env_.programPath); }

void TTavrikForm::ApplyOnTop() {
    SetWindowPos(hwnd_, params.OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (findAll_) findAll_->FollowOwnerOnTop();
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
    params.ShowTrayIcon = shown;
    if (!shown) trayIcon_.Remove();
    else if (!trayIcon_.Wanted() && env_.trayIcon) AddTrayIcon();
}

void TTavrikForm::BackgroundMenuItemClick() {
    if (!OptionsForm) OptionsForm = std::make_unique<options::TOptionsForm>(*this);
    OptionsForm->ColorButtonClick();
}

}  // namespace tavrik::app
