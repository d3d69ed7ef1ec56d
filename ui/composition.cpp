// (Win32) TTavrikForm's menus and commands: one table binds every command to its handler.
#include <iterator>
#include <vector>

#include "app/comctl.h"
#include "app/dyn_api.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "options/options_form.h"
#include "settings/settings_file.h"
#include "ui/language_tables.h"
#include "ui/toolbar_icons.h"
#include "ui/toolbar_layout.h"

#include <commctrl.h>
#include <richedit.h>

namespace tavrik::app {
namespace {

using Handler = void (TTavrikForm::*)();
struct Binding {
    ui::Cmd cmd;
    Handler handler;
};

// Commands whose work is built. The others stay visibly disabled until theirs is.
constexpr Binding kBindings[] = {
    {ui::Cmd::PrevPage, &TTavrikForm::PrevPageButtonClick},
    {ui::Cmd::NextPage, &TTavrikForm::NextPageButtonClick},
    {ui::Cmd::SelectAll, &TTavrikForm::SelectAllButtonClick},
    {ui::Cmd::Copy, &TTavrikForm::CopyButtonClick},
    {ui::Cmd::Cut, &TTavrikForm::CutButtonClick},
    {ui::Cmd::Paste, &TTavrikForm::PasteButtonClick},
    {ui::Cmd::Undo, &TTavrikForm::UndoButtonClick},
    {ui::Cmd::Exit, &TTavrikForm::CloseMenuClick},
    {ui::Cmd::ShowMainMenu, &TTavrikForm::MainMenuItemClick},
    {ui::Cmd::StandardToolbar, &TTavrikForm::StandardToolbarMenuItemClick},
    {ui::Cmd::FormatToolbar, &TTavrikForm::FormatToolbarMenuItemClick},
    {ui::Cmd::PagesToolbar, &TTavrikForm::PagesToolbarMenuItemClick},
    {ui::Cmd::OptionsToolbar, &TTavrikForm::OptionsToolbarMenuItemClick},
    {ui::Cmd::Russian, &TTavrikForm::RussianLangMenuItemClick},
    {ui::Cmd::English, &TTavrikForm::EnglishLangMenuItemClick},
    {ui::Cmd::Help, &TTavrikForm::HelpMenuItemClick},
    {ui::Cmd::About, &TTavrikForm::AboutMenuClick},
    {ui::Cmd::Options, &TTavrikForm::OptionsMenuClick},
    {ui::Cmd::Save, &TTavrikForm::SaveButtonClick},
    {ui::Cmd::Print, &TTavrikForm::PrintButtonClick},
    {ui::Cmd::CatchClipboard, &TTavrikForm::CatchClipboardClick},
    {ui::Cmd::WordWrap, &TTavrikForm::WordWrapMenuItemClick},
    {ui::Cmd::Find, &TTavrikForm::FindButtonClick},
    {ui::Cmd::Replace, &TTavrikForm::ReplaceMenuItemClick},
    {ui::Cmd::Open, &TTavrikForm::OpenSubMenuClick},
    {ui::Cmd::CopyHyperlink, &TTavrikForm::CopyHiperlinkMenuClick},
    {ui::Cmd::Bold, &TTavrikForm::ToggleBoldActionExecute},
    {ui::Cmd::Italic, &TTavrikForm::ToggleItalicActionExecute},
    {ui::Cmd::Underline, &TTavrikForm::ToggleUnderlineActionExecute},
    {ui::Cmd::AlignLeft, &TTavrikForm::JustifyLeftActionExecute},
    {ui::Cmd::AlignCenter, &TTavrikForm::JustifyCenterActionExecute},
    {ui::Cmd::AlignRight, &TTavrikForm::JustifyRightActionExecute},
    {ui::Cmd::AlignJustify, &TTavrikForm::JustifyFullButtonClick},
    {ui::Cmd::ShowMenuMenu, &TTavrikForm::ShowMenuMenuClick},
    {ui::Cmd::NewPage, &TTavrikForm::NewPage1Click},
    {ui::Cmd::DeletePage, &TTavrikForm::DeletePageMenuClick},
    {ui::Cmd::RenamePage, &TTavrikForm::RenamePageMenuClick},
    {ui::Cmd::Versions, &TTavrikForm::VersionsMenuClick},
    {ui::Cmd::FindAll, &TTavrikForm::FindAllMenuClick},
    {ui::Cmd::GoToPage, &TTavrikForm::GoToPageMenuClick},
    {ui::Cmd::UnlistedPages, &TTavrikForm::UnlistedPagesMenuClick},
    {ui::Cmd::Font, &TTavrikForm::FontMenuClick},
    {ui::Cmd::Background, &TTavrikForm::BackgroundMenuItemClick},
    {ui::Cmd::InsObject, &TTavrikForm::InsObjectMenuItemClick},
    {ui::Cmd::ShowTavrik, &TTavrikForm::ShowMenuClick},
    {ui::Cmd::HideTavrik, &TTavrikForm::HideMenuClick},
};

const Binding* BindingOf(ui::Cmd cmd) {
    for (const Binding& binding : kBindings)
        if (binding.cmd == cmd) return &binding;
    return nullptr;
}

BYTE AccelFlags(int packed) {
    BYTE flags = FVIRTKEY;
    if (packed & ui::kCtrl) flags |= FCONTROL;
    if (packed & ui::kAlt) flags |= FALT;
    if (packed & ui::kShift) flags |= FSHIFT;
    return flags;
}

}  // namespace

bool TTavrikForm::CommandAvailable(ui::Cmd cmd) const { return BindingOf(cmd) != nullptr; }

void TTavrikForm::CreateComposition() {
    menus_ = std::make_unique<ui::MenuSet>();
    toolbars_.Create(hwnd_, &skin_, [this](ui::Cmd cmd) {
        const ui::Action* action = ui::FindAction(cmd);
        const auto hint = action ? ui::FindHint(action->name, ui::LanguageFromSetting(params.Language)) : std::nullopt;
        return hint ? ToWide(*hint) : std::wstring();
    }, [this] { ToolbarsChanged(); });
    toolbars_.SetLanguage([this] { return InterfaceLanguage(); });
    // Wine takes its time over menus on a window; the menu bar goes on when the window is first
    // needed, with the other hidden parts.
    menus_->SetDeferred(true);
    menus_->Check(ui::Cmd::ShowMainMenu, true);

    // Keys of the menu items and actions, for the commands that have work behind them; the
    // editor's own keys (copy, paste, undo) stay the editor's.
    std::vector<ACCEL> keys;
    const auto add = [&](int shortcut, ui::Cmd cmd) {
        if (!shortcut || !CommandAvailable(cmd)) return;
        for (const ACCEL& key : keys)
            if (key.cmd == static_cast<WORD>(cmd)) return;
        keys.push_back({AccelFlags(shortcut), static_cast<WORD>(shortcut & 0xFF), static_cast<WORD>(cmd)});
    };
    for (const ui::MenuItem& item : ui::MainMenuItems())
        if (item.cmd != ui::Cmd::Undo && item.cmd != ui::Cmd::Cut && item.cmd != ui::Cmd::Copy &&
            item.cmd != ui::Cmd::Paste && item.cmd != ui::Cmd::SelectAll)
            add(item.shortcut, item.cmd);
    for (const ui::Action& action : ui::Actions()) add(action.shortcut, action.cmd);
    if (!keys.empty()) accelerators_.Reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));

    for (const ui::MenuItem& item : ui::MainMenuItems())
        if (item.kind == ui::ItemKind::Command && !item.alwaysDisabled) menus_->Enable(item.cmd, CommandAvailable(item.cmd));
    for (const ui::MenuItem& item : ui::EditorMenuItems())
        if (item.kind == ui::ItemKind::Command) menus_->Enable(item.cmd, CommandAvailable(item.cmd));
    for (const ui::MenuItem& item : ui::TabMenuItems()) menus_->Enable(item.cmd, CommandAvailable(item.cmd));
    menus_->SetCaption(u"ExitMenu", L"Exit");  // the same in both languages; no table renames it
    menus_->SetVisible(u"CopyHiperlinkMenu", false);
    menus_->SetVisible(u"CopyHiperLinkDelimiter", false);
}

// The editor's menu is also the tray's: with the window hidden it offers to show it and to exit,
// with the window shown the editing commands, hiding and the menu bar.
void TTavrikForm::SetPopupConfiguration(bool windowShown) {
    const std::pair<std::u16string_view, bool> items[] = {
        {u"SelectAllMenu", windowShown}, {u"CopyMenu", windowShown}, {u"CutMenu", windowShown},
        {u"PasteMenu", windowShown},     {u"UndoMenu", windowShown}, {u"FindMenu", windowShown},
        {u"HideMenu", windowShown},      {u"ShowMenuMenu", windowShown}, {u"ShowMenu", !windowShown},
        {u"ExitMenu", !windowShown}};
    menus_->SetVisible(items);
}

// The parts nobody sees while the window is hidden: images, docks and bars, and the tabs.
void TTavrikForm::BuildHiddenParts() {
    KillTimer(hwnd_, kTimerBuildHidden);
    if (hiddenPartsBuilt_) return;
    hiddenPartsBuilt_ = true;
    app::comctl::Load();
    CreateTabStrip();
    {
        menus_->SetDeferred(false);
        SetMainMenuVisible(menus_->IsChecked(ui::Cmd::ShowMainMenu));
        const int pixels = MakeImages();
        toolbars_.Build(images_.Get(), disabledImages_.Get(), pixels);
        for (const ui::ToolbarDef& bar : ui::Toolbars())
            for (const ui::ToolbarButton& button : bar.buttons)
                if (button.cmd != ui::Cmd::None) toolbars_.Enable(button.cmd, CommandAvailable(button.cmd));
    }
    FillTabStrip();
    if (skin_.Dark()) {  // made light; in light nothing needs telling
        ApplySkin();     // the menu bar's background, now that the bar is there
        ui::ApplyTheme(hwnd_);
    }
    Layout();
    // The shell takes a while to take an icon (some 50 ms under Wine): it comes with the rest.
    if (params.ShowTrayIcon && env_.trayIcon) AddTrayIcon();
    // Page files no page lists: a look at the whole folder, which a hidden start need not wait for.
    FindUnlistedPages();
}

// The Options dialog opens only from the shown window: it is made once that is up and idle, as
// the bars are, and kept. Not while an operation or its box is under way: its turn comes later.
void TTavrikForm::PrepareOptions() {
    KillTimer(hwnd_, kTimerPrepareOptions);
    if (Busy()) {
        SetTimer(hwnd_, kTimerPrepareOptions, 250, nullptr);
        return;
    }
    if (!OptionsForm) OptionsForm = std::make_unique<options::TOptionsForm>(*this);
    OptionsForm->Prepare();
}

// The toolbar and menu images for the window's present DPI, drawn at that size rather than
// stretched; the bars and the skin take them, and the old ones go. Returns their size.
int TTavrikForm::MakeImages() {
    const int pixels = ui::ToolbarIconPixels(WindowDpi(hwnd_));
    UniqueImageList images(ui::CreateToolbarImages(pixels));
    UniqueImageList disabled(ui::CreateToolbarImages(pixels, true));
    if (images && disabled) {
        toolbars_.SetImages(images.Get(), disabled.Get(), pixels);
        skin_.SetImages(images.Get(), pixels);
        std::swap(images, images_);  // the old ones go at the end of the scope
        std::swap(disabled, disabledImages_);
    }
    return pixels;
}

void TTavrikForm::ApplySkin() {
    skin_.SetStyle(params.Style);
    skin_.SetDpi(WindowDpi(hwnd_));
    skin_.SetDark(ui::CurrentTheme().dark);
    menus_->SetOwnerDraw(skin_.Active());
    // Items the skin draws leave the rest of the menu bar to the system: it takes our dark too.
    // The system's own items stay on its light bar unless its dark parts are on.
    MENUINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = MIM_BACKGROUND;
    bar.hbrBack = skin_.Dark() && skin_.Active() ? ui::DarkBackBrush() : nullptr;
    (void)SetMenuInfo(menus_->Main(), &bar);  // refused: the bar's rest stays light
    ui::SetMenuBarItemsOurs(skin_.Active());
    if (toolbars_.Built()) {
        DrawMenuBar(hwnd_);
        toolbars_.Repaint();
    }
}

// The layout of the bars as the settings file keeps it, a section for each, named after the bar.
void TTavrikForm::LoadToolbarLayout() {
    const settings::IniFile ini(SettingsPath());
    toolbars_.Load(ini);
    ui::SectionKeys keys;
    for (auto& [key, value] : ini.ReadSectionEntries(L"MainMenu")) keys.emplace_back(ToU16(key), ToU16(value));
    if (const auto place = ui::ReadBarPlace(keys); place && !place->visible) SetMainMenuVisible(false);
    ToolbarsChanged();
}

void TTavrikForm::SaveToolbarLayout() {
    const settings::IniFile ini(SettingsPath());
    toolbars_.Save(ini);
    ui::BarPlace menuPlace = ui::DesignedPlace(u"MainMenu");
    menuPlace.visible = GetMenu(hwnd_) != nullptr;
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (auto& [key, value] : ui::WriteBarPlace(menuPlace)) entries.emplace_back(ToWide(key), ToWide(value));
    (void)ini.ReplaceSection(L"MainMenu", entries);  // a refusal was reported
}

// A bar closed by its own button or moved by the user: the View items and the layout follow.
void TTavrikForm::ToolbarsChanged() {
    menus_->Check(ui::Cmd::StandardToolbar, toolbars_.IsVisible(u"StandartToolbar"));
    menus_->Check(ui::Cmd::FormatToolbar, toolbars_.IsVisible(u"FormatToolbar"));
    menus_->Check(ui::Cmd::PagesToolbar, toolbars_.IsVisible(u"PagesToolbar"));
    menus_->Check(ui::Cmd::OptionsToolbar, toolbars_.IsVisible(u"OptionsToolbar"));
    Layout();
}

void TTavrikForm::ToggleToolbar(std::u16string_view bar, ui::Cmd viewItem) {
    const bool show = !toolbars_.IsVisible(bar);
    toolbars_.SetVisible(bar, show);
    menus_->Check(viewItem, show);
    Layout();
}

void TTavrikForm::StandardToolbarMenuItemClick() { ToggleToolbar(u"StandartToolbar", ui::Cmd::StandardToolbar); }
void TTavrikForm::FormatToolbarMenuItemClick() { ToggleToolbar(u"FormatToolbar", ui::Cmd::FormatToolbar); }
void TTavrikForm::PagesToolbarMenuItemClick() { ToggleToolbar(u"PagesToolbar", ui::Cmd::PagesToolbar); }
void TTavrikForm::OptionsToolbarMenuItemClick() { ToggleToolbar(u"OptionsToolbar", ui::Cmd::OptionsToolbar); }

void TTavrikForm::OnCommand(WPARAM wp, LPARAM lp) {
    const auto control = reinterpret_cast<HWND>(lp);
    const WORD code = HIWORD(wp);
    if (control && code == EN_CHANGE) {  // typing, a paste, a drop, a caught copy: only editors send it
        NoteChange(control);
        return;
    }
    OnCommandFor(control, code, static_cast<ui::Cmd>(LOWORD(wp)));
    // Formatting changes a page without a word from its editor.
    const int current = TabIndex();
    if (current >= 0 && current < PageCount()) NoteChange(Page(current).editor);
}

void TTavrikForm::OnCommandFor(HWND control, WORD code, ui::Cmd cmd) {
    if (control && (control == toolbars_.FontBox() || control == toolbars_.SizeBox())) {
        FontBoxNotice(control, code);
        return;
    }
    if (control && code != BN_CLICKED) return;
    // The About box holds nothing another command could spoil, and the hot key must still toggle
    // the window while it is up: it is not one of the operations that run one at a time.
    if (cmd == ui::Cmd::About) {
        if (Busy()) MessageBeep(MB_OK);
        else AboutMenuClick();
        return;
    }
    if (const Binding* binding = BindingOf(cmd)) Alone([&] { (this->*binding->handler)(); });
}

// The editor's menu was made ready when it was asked for; another pass here would come while
// the system already tracks it.
void TTavrikForm::OnInitMenuPopup(HMENU menu) {
    if (menu == menus_->Editor()) return;
    if (GetMenuState(menu, static_cast<UINT>(ui::Cmd::Undo), MF_BYCOMMAND) != static_cast<UINT>(-1))
        EditSubMenuPopup();
}

// One opening, one configuration: what the click found (a link under it, a selection) decides the
// items before the menu shows, and nothing changes them until it has closed.
void TTavrikForm::ShowEditorMenu(POINT screen) {
    PopupMenu1Popup();
    menus_->SetTracking(true);
    TrackPopupMenuEx(menus_->Editor(), TPM_RIGHTBUTTON, screen.x, screen.y, hwnd_, nullptr);
    menus_->SetTracking(false);
}

void TTavrikForm::PopupMenu1Popup() {
    const HWND editor = CurrentEditor();
    CHARRANGE selection{};
    if (editor) SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const bool selected = selection.cpMax > selection.cpMin;
    menus_->SetVisible(u"FontMenu", selected);
    menus_->Enable(ui::Cmd::Cut, selected);
    menus_->Enable(ui::Cmd::Copy, selected);
    menus_->Check(ui::Cmd::ShowMenuMenu, GetMenu(hwnd_) != nullptr);
    menus_->Enable(ui::Cmd::Paste, editor && SendMessageW(editor, EM_CANPASTE, 0, 0));
    menus_->Enable(ui::Cmd::Undo, editor && SendMessageW(editor, EM_CANUNDO, 0, 0));
    menus_->SetVisible(u"CopyHiperlinkMenu", LinkUnderRightClick);
    menus_->SetVisible(u"CopyHiperLinkDelimiter", LinkUnderRightClick);
    LinkUnderRightClick = false;
    menus_->Check(ui::Cmd::CatchClipboard, params.CatchClipboard);
}

void TTavrikForm::EditSubMenuPopup() {
    const HWND editor = CurrentEditor();
    CHARRANGE selection{};
    if (editor) SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    menus_->Enable(ui::Cmd::Cut, selection.cpMax > selection.cpMin);
    menus_->Enable(ui::Cmd::Copy, selection.cpMax > selection.cpMin);
    menus_->Enable(ui::Cmd::Paste, editor && SendMessageW(editor, EM_CANPASTE, 0, 0));
    menus_->Enable(ui::Cmd::Undo, editor && SendMessageW(editor, EM_CANUNDO, 0, 0));
}

void TTavrikForm::SetMainMenuVisible(bool show) {
    menus_->Check(ui::Cmd::ShowMainMenu, show);
    menus_->Check(ui::Cmd::ShowMenuMenu, show);
    // A menu taken off the window stays ours until it is put back.
    SetMenu(hwnd_, show ? menus_->Main() : nullptr);
    menus_->SetMainAttached(show);
}

void TTavrikForm::MainMenuItemClick() { SetMainMenuVisible(!menus_->IsChecked(ui::Cmd::ShowMainMenu)); }
void TTavrikForm::ShowMenuMenuClick() { SetMainMenuVisible(!menus_->IsChecked(ui::Cmd::ShowMenuMenu)); }

void TTavrikForm::UndoButtonClick() { SendMessageW(Editor(TabIndex()), EM_UNDO, 0, 0); }
void TTavrikForm::CutButtonClick() { SendMessageW(Editor(TabIndex()), WM_CUT, 0, 0); }
void TTavrikForm::CopyButtonClick() { SendMessageW(Editor(TabIndex()), WM_COPY, 0, 0); }
void TTavrikForm::SelectAllButtonClick() { SendMessageW(Editor(TabIndex()), EM_SETSEL, 0, -1); }

void TTavrikForm::PrevPageButtonClick() { SelectNextPage(false); }
void TTavrikForm::NextPageButtonClick() { SelectNextPage(true); }

// Round the ring of pages: after the last comes the first.
void TTavrikForm::SelectNextPage(bool forward) {
    const int count = PageCount();
    if (count < 2) return;
    SwitchToPage((TabIndex() + (forward ? 1 : count - 1)) % count);
}

void TTavrikForm::CloseMenuClick() {
    WindowShown = false;
    const bool exitRequestedBefore = ExitRequested;
    ExitRequested = true;
    FormCloseQuery();  // as a close does; the command is already the one operation under way
    if (!hwnd_) return;
    WindowShown = IsWindowVisible(hwnd_) != FALSE;  // not closed: as it is on screen
    // An Exit that failed is over: a later close with CloseAsMinimize hides again.
    ExitRequested = exitRequestedBefore;
}

}  // namespace tavrik::app
