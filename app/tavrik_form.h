// (Win32) The main window: it owns everything that lives for the whole run.
#pragma once

#include <windows.h>
#include <richedit.h>
#include <commdlg.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/error_box.h"
#include "app/text.h"
#include "app/unique.h"
#include "ui/command_line_texts.h"
#include "ui/commands.h"
#include "ui/language_tables.h"
#include "ui/page_texts.h"
#include "ui/move_texts.h"
#include "ui/rescue_texts.h"
#include "ui/unlisted_texts.h"
#include "ui/version_texts.h"
#include "ui/menus.h"
#include "ui/skin.h"
#include "ui/dark_mode.h"
#include "ui/toolbars.h"
#include "pages/page_book.h"
#include "pages/page_entry.h"
#include "search/matching.h"
#include "settings/autostart.h"
#include "settings/ini_unreadable.h"
#include "settings/legacy_settings.h"
#include "settings/settings_file.h"
#include "window/tray_icon.h"

namespace tavrik::editor {
enum class TextDrop : LRESULT;  // editor/rich_ole.h
struct CharFormat;              // editor/page_editor.h
}
namespace tavrik::pages {
struct VersionFile;  // pages/page_version_files.h
struct VersionPlaces;  // pages/page_version_files.h
struct FileLook;     // pages/page_file_look.h
}

namespace tavrik::options {
class TOptionsForm;  // options/options_form.h
}
namespace tavrik::search {
class TFindAllForm;  // search/find_all_form.h
}

namespace tavrik::app {

// What the program learns from its surroundings; tests put in folders and keys of their own.
struct AppEnvironment {
    std::wstring programPath;    // the program's file, as the Run value holds it
    std::wstring programFolder;  // ends in a backslash; tavrik.ini lives here
    HKEY runRoot = HKEY_CURRENT_USER;
    std::wstring runKeyPath = std::wstring(settings::kRunKeyPath);
    std::wstring legacyKeyPath = std::wstring(settings::kLegacyKeyPath);  // under HKEY_CURRENT_USER
    std::optional<int> osVersion;  // the Windows version code to assume instead of asking
    std::optional<std::uint16_t> uiLanguage;  // Windows' interface language (a LANGID) to assume
    std::optional<unsigned> dpi;   // the DPI of the window's monitor to assume for its default size
    bool trayIcon = true;          // false: no icon whatever the settings say (tests that do not need it)
    settings::IniReadRetry settingsRetry;  // how long start-up waits for a tavrik.ini it cannot read
    // The user's own folder for what cannot wait for the page folder (versions that could not be
    // kept beside the page, pages rescued at the end of a session): %LOCALAPPDATA%\Tavrik\, with
    // its backslash; empty when Windows names none. Made only when something is put there.
    std::wstring userFolder;
    std::optional<bool> longPaths;  // whether paths past 260 characters work; Windows is asked when empty
    // Deletes a sub-key of the legacy key; tests refuse it, as a key locked by its rights would be.
    std::function<LSTATUS(HKEY key, const wchar_t* subKey)> deleteLegacySubKey = RegDeleteTreeW;
    ui::ThemeSource theme;  // where Windows' light or dark setting is read, and the build to assume
};

// The environment of the running program: its own path and folder. TAVRIK_RUN_KEY and
// TAVRIK_LEGACY_KEY, when set, name other keys under HKEY_CURRENT_USER for the start-with-Windows
// value and for the settings of earlier versions; TAVRIK_OS_VERSION, the Windows version code to
// assume; TAVRIK_USER_FOLDER, the user's folder of the program; TAVRIK_UI_LANGUAGE, Windows'
// interface language as a hexadecimal LANGID ("0409"); TAVRIK_DPI, the DPI of the window's monitor.
AppEnvironment ProcessEnvironment();

// One page of the page store, with the editor that shows it once the page is first needed.
using PageSlot = pages::BookPage<HWND>;

// Saves, page commands and closes run one at a time: the message box of one runs a message loop
// in which the tray menu, the hot key or Windows could otherwise start another.
class OneAtATime {
public:
    explicit OneAtATime(int& depth) : depth_(depth) { ++depth_; }
    ~OneAtATime() { --depth_; }
    OneAtATime(const OneAtATime&) = delete;
    OneAtATime& operator=(const OneAtATime&) = delete;

private:
    int& depth_;
};

class TTavrikForm {
public:
    explicit TTavrikForm(AppEnvironment environment);
    ~TTavrikForm();
    TTavrikForm(const TTavrikForm&) = delete;
    TTavrikForm& operator=(const TTavrikForm&) = delete;

    // Creates the main window, hidden; start-up runs inside. False when Windows refused.
    bool Create();
    HWND Handle() const { return hwnd_; }
    static constexpr const wchar_t* kClassName = L"TTavrikForm";

    // Start-up and the window itself.
    void FormCreate();
    void FormShow();
    void OSDetect();
    void ConvertSettings();
    void Transparency(HWND window, int alpha);

    // Shut-down: every page, the window's place and the page list. False leaves the program up.
    bool FinishAll();
    void FormCloseQuery();  // the close of the window: hide, or save everything and end
    LRESULT wmQueryEndSession();
    void wmEndSession(bool ending);
    // Pages that cannot be written to their files at the end of a session go to the rescue folder,
    // with no window; the next start offers them (pages/session_rescue.cpp).
    bool RescueUnsavedPages();  // true: every page not in its file is in the rescue folder
    void OfferRescuedPages();
    std::wstring RescueFolder() const;  // empty when Windows names no folder of the user's
    bool Busy() const { return busy_ > 0; }  // an operation (or its message box) is under way
    // Runs one operation the user started, unless another one is under way; false when refused.
    template <class Work>
    bool Alone(Work&& work) {
        if (Busy()) {
            // The open box (or dialog) must be answered first: it comes to the front, so the
            // program never seems dead.
            if (!BringOpenBoxForward()) MessageBeep(MB_OK);
            return false;
        }
        const OneAtATime one(busy_);
        work();
        return true;
    }
    void FormDestroy();
    // A message about what the window will show (a page that cannot be read) waits until the window
    // is up, so the box comes over it, not alone in its place.
    void TellWhenShown(std::wstring text);
    void TellWhatWaited();

    // tavrik.ini could not be read at start (settings/settings_hold.cpp): the program runs on the
    // defaults, writes nothing to it and leaves the Run value alone; once the file can be read
    // again it offers to restart.
    void WaitForSettingsFile();
    void TellSettingsHeldBack();
    bool SettingsHeldBack() const { return settingsHold_ != nullptr; }
    void SettingsBackTime();
    bool RestartForSettings();  // false: this copy runs on

    // Page list and page files.
    void LoadPages();
    bool SavePage(int index);
    // Autosave: a change to a page arms the quiet timer; when it runs out, every changed page is written.
    void NoteChange(HWND editor);
    void AutoSaveTime();
    void ShowSaveState();  // the caption and the tray tip, with the pages whose last write failed
    // Pages in editors whose files another program or computer changed are read again, or both
    // texts kept: on show, on a change of page and every few seconds while the window is up.
    void CheckPageFiles();
    void CheckPageFile(int index);
    void PageFilesTime();
    bool TabControl1Changing();
    void TabControl1Change();
    void SwitchToPage(int k);
    bool WritePageList();

    // Page commands.
    void NewPage1Click();
    void NewPageNamed(const std::optional<std::wstring>& given);  // nullopt: the name is asked for
    void RenamePageMenuClick();
    bool PageRename(std::wstring_view newName);
    void DeletePageMenuClick();
    void SaveButtonClick();  // Save as: a copy of the current page
    void PrintButtonClick();  // the current page, or its selection, on paper
    void VersionsMenuClick();  // the current page's versions; one may become a new page
    bool CheckFileName(std::wstring_view name) const;
    void TabControl1MouseDown(UINT button, POINT at);  // button: the mouse message; at: strip's client
    void TabControl1MouseUp(UINT button, POINT at);
    void TabControl1MouseMove(POINT at);
    bool TabControl1DragOver(HWND source) const;
    void TabControl1EndDrag(POINT at);
    int TabAt(POINT client) const;  // -1: no tab there
    int PageHeight() const;  // of the page's area under the tabs

    // Formatting of the current page.
    void SelectionChange();
    void ChangeFontNameActionExecute(bool fromList);
    void FontSizeComboBoxChange(bool fromList);
    void FontBoxNotice(HWND box, WORD code);  // a CBN_ notice of the font name or size box
    // Enter or Esc in a font box: whether it is used up; nothing when the keyboard is elsewhere.
    std::optional<bool> FontBoxKey(WPARAM key);
    void ToggleBoldActionExecute();
    void ToggleItalicActionExecute();
    void ToggleUnderlineActionExecute();
    void JustifyLeftActionExecute();
    void JustifyCenterActionExecute();
    void JustifyRightActionExecute();
    void JustifyFullButtonClick();
    HWND CurrentEditor() const;
    void WordWrapMenuItemClick();
    void FontMenuClick();
    void BackgroundMenuItemClick();
    void InsObjectMenuItemClick();
    void RichEditMouseUp(HWND editor, POINT screen);
    void RichEditURLClick(const ENLINK& link);
    void CopyHiperlinkMenuClick();
    void FindButtonClick();
    bool FindDialog1Find(std::wstring_view what);  // false when nothing more is found
    void MyFindShow();
    void MyFindClose();
    HWND FindDialog() const { return findDialog_; }
    // Replace (editor/replace.cpp): the system's Replace dialog in place of Find's while it is open.
    void ReplaceMenuItemClick();
    bool FindNext(std::wstring_view what, search::SearchOptions options);  // false when nothing more is found
    bool ReplaceNext(std::wstring_view what, std::wstring_view with, search::SearchOptions options);
    size_t ReplaceAll(std::wstring_view what, std::wstring_view with, search::SearchOptions options);  // how many
    // File, Open (pages/open_file_page.cpp): a text or rich-text file becomes a new page, the file left as it is.
    void OpenSubMenuClick();
    bool OpenFileAsPage(const std::wstring& path);  // false when no page was made
    void FindAllMenuClick();   // Find in all pages, modeless
    void GoToPageMenuClick();  // a page picked from a list that typing narrows
    search::TFindAllForm* FindAll() const { return findAll_.get(); }  // made when first opened

    // Page files in the folder that no page lists (pages/unlisted_page_commands.cpp).
    void FindUnlistedPages();       // one listing of the folder; the caption tells a new finding
    void UnlistedPagesMenuClick();  // each file added, opened beside its page, or recycled
    const std::vector<std::wstring>& UnlistedFiles() const { return unlistedFiles_; }
    std::wstring UnlistedNotice() const;  // for the caption and the tray tip; empty once looked at

    // Showing, hiding and the tray.
    void ShowTavrik();
    void ShowMainWindow();
    void FormHide();
    void Fade(const std::vector<int>& alphas);  // within its time budget, each alpha shown
    std::function<void(int alpha)> FadeStepSet;  // tests: told after each alpha a fade sets
    void HideMenuClick();
    void ShowMenuClick();
    void TrayIconClick(UINT button);  // the mouse message of the click
    static bool GetAnimation();
    static void SetAnimation(bool on);
    void AppDeactivate();
    void AppActivate();
    void HideTimerTime();
    void wmEndOfResize();
    const window::TrayIcon& Tray() const { return trayIcon_; }
    // Each show puts the window on the current virtual desktop and on a monitor that is there, or
    // on the one under the mouse pointer (window/window_place_show.cpp).
    void PlaceForShow();

    // The command line (app/command_run.cpp): a command from a second start, or this start's own,
    // waits until no box of ours is open.
    bool OnCopyData(const COPYDATASTRUCT& data);  // true: a command, taken
    void CarryOut(const Command& command);
    void RunCommands();

    // The global hot key and the application-wide keys.
    void SelectLanguage();
    bool AddHotKey(UINT virtualKey, UINT modifiers);
    bool RemoveHotKey();
    void wmHotKey();
    // One pass of "Use now" with the hot key control's value; pass 2 may set the control back.
    void SetNewHotKey(int mode, int& control);
    bool AppShortCut(const MSG& msg);  // true: the key is used up
    void EnableKeys();
    void DisableKeys();
    bool KeysEnabled() const { return keysEnabled_; }
    // What the message loop does with a message before it is dispatched; true when it is used up.
    bool PreTranslate(MSG& msg);
    bool AppMessage(const MSG& msg);

    // Clipboard: catching what anyone copies, and paste.
    void CatchClipboardClick();
    LRESULT wmDrawClipboard(WPARAM wp, LPARAM lp);
    LRESULT wmChangeCBChain(HWND leaving, HWND next);
    void PasteButtonClick();
    bool EditorKeyFilter(const MSGFILTER& filter);  // true: the editor ignores the key
    editor::TextDrop PageTextDrop(HWND editor, std::wstring_view text, bool really, POINT screen);
    void ShowCatchRefused();

    // Window composition: menus, commands, skin and the interface language.
    void OnCommand(WPARAM wp, LPARAM lp);
    void OnCommandFor(HWND control, WORD code, ui::Cmd cmd);
    bool CommandAvailable(ui::Cmd cmd) const;
    HACCEL Accelerators() const { return accelerators_.Get(); }
    void RussianLangMenuItemClick();
    void EnglishLangMenuItemClick();
    void HelpMenuItemClick();
    void AboutMenuClick();  // the About box, modal; the hot key still toggles the window meanwhile
    void MainMenuItemClick();
    void StandardToolbarMenuItemClick();
    void FormatToolbarMenuItemClick();
    void PagesToolbarMenuItemClick();
    void OptionsToolbarMenuItemClick();
    ui::ToolbarHost& Toolbars() {
        BuildHiddenParts();
        return toolbars_;
    }
    void ShowMenuMenuClick();
    void PopupMenu1Popup();
    void EditSubMenuPopup();
    void UndoButtonClick();
    void CutButtonClick();
    void CopyButtonClick();
    void SelectAllButtonClick();
    void PrevPageButtonClick();
    void NextPageButtonClick();
    void SelectNextPage(bool forward);
    void CloseMenuClick();
    const ui::MenuSet& Menus() {
        BuildHiddenParts();
        return *menus_;
    }

    // Options that act on every page, loaded or not; their boxes are owned by `owner`.
    // Moves every page file to the typed folder; false when the pages stay where they were.
    bool MoveSaveFolder(const std::wstring& typed, HWND owner);
    // Every page to plain or rich text, its text kept; Plain follows. False when a page was left
    // as it was (named in one message).
    bool ConvertPages(bool toPlain, HWND owner);
    void OptionsMenuClick();  // the Options dialog, modal
    // What the Options dialog and Find in all pages ask of the window.
    void SetStyle(int style);  // the skin, in force and kept
    void ApplyAutoStart();     // the Run value as AutoStart says
    void ApplyOnTop();         // stay-on-top as OnTop says, for the window and Find in all pages
    editor::CharFormat DefaultFormat() const;  // of the text of a new page
    void ApplyDefaultFont();   // to every page made so far
    void ApplySpelling();      // SpellCheck, to every page made so far
    void ApplyDefaultBackground();  // to every page, its entry too
    void ChoosePageBackground(HWND owner);  // the current page's, kept in its entry
    HIMAGELIST Images() const { return images_.Get(); }
    ui::Language InterfaceLanguage() const;
    std::wstring PageText(ui::PageText which) const;
    void SetTabRows(bool multiline);
    void SetTrayIconShown(bool shown);
    // The theme decided again from Theme and Windows' setting; applied to every window when it
    // changed, or `always`.
    void ApplyTheme(bool always);

    // The page model as the rest of the program and the tests see it.
    int PageCount() const { return book_.Count(); }
    int TabIndex() const;
    std::wstring PageName(int index) const;
    std::wstring CurrentPageName() const { return PageName(TabIndex()); }
    std::wstring PagePath(int index) const;
    HWND Editor(int index);  // makes the page ready when it was not yet needed
    const PageSlot& Page(int index) const { return book_[index]; }
    const pages::PageBook<HWND>& Pages() const { return book_; }
    pages::PageBook<HWND>& Pages() { return book_; }  // for the benchmarks; the program goes through the form
    pages::PageEntry CurrentEntry(int index) const;
    const settings::IniFile& Ini() const { return *IniFile; }
    HWND TabControl() {
        BuildHiddenParts();
        return TabControl1;
    }

    // The settings of section Parameters as in force; StoreParameters writes members to tavrik.ini.
    settings::Parameters params;
    bool StoreParameters(std::initializer_list<settings::ParameterMember> members) const;

    // State of the run that the subsystems share.
    HWND NextClipboardViewer = nullptr;
    bool SessionEnding = false;
    bool LinkUnderRightClick = false;
    bool HotKeyReady = false;
    bool HideTimerActive = false;
    bool SkipNextClipboard = false;
    std::wstring ClickedLink;
    std::optional<settings::IniFile> IniFile;
    settings::RunKey RunKey;
    bool WindowShown = false;  // shown by ShowMainWindow and not hidden since: not yet while fading in
    bool ExitRequested = false;
    int OSVersion = 0;
    std::unique_ptr<options::TOptionsForm> OptionsForm;  // made when first needed; lives to the end

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    static LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNotify(const NMHDR& header);

    void ApplyParameters();
    void CreateChildren();
    void CreateTabStrip();
    void ApplyWindowFont();
    void Layout();
    void OnDpiChanged(const RECT& suggested);
    int PageRoomMissing() const;
    void EnsurePageRoom();
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void CreateComposition();
    void ApplySkin();
    int MakeImages();
    void SetMainMenuVisible(bool show);
    void SwitchLanguage(int language);
    void SetPopupConfiguration(bool windowShown);
    void ToggleStyle(ui::Cmd button, DWORD mask, DWORD effect);
    void Justify(ui::Cmd button, WORD alignment);
    static UINT FindMessage();
    void OnFindMessage(const FINDREPLACEW& request);
    void OnReplaceMessage(const FINDREPLACEW& request);
    void OpenFindDialog(bool replace);  // Find's dialog, or Replace's
    void LoadToolbarLayout();
    void SaveToolbarLayout();
    void ToggleToolbar(std::u16string_view bar, ui::Cmd viewItem);
    void ToolbarsChanged();
    void BuildHiddenParts();
    void PrepareOptions();  // the Options dialog made ahead, once the window has been shown
    void ShowEditorMenu(POINT screen);
    void ShowTabMenuAtCurrentTab();
    void OnInitMenuPopup(HMENU menu);
    void PlaceEditor(HWND editor) const;
    void SetTabIndexQuietly(int index);
    void SetTabCaption(int index);
    void InsertTab(int index);
    HWND MakeEditor(const PageSlot& slot);
    std::wstring PageFileOf(std::wstring_view name) const;
    std::wstring UnreadableReason(const std::wstring& path, DWORD error) const;
    int PageNamed(std::wstring_view name, int except) const;  // the page Windows would give that file
    std::wstring MoveText(ui::MoveText which) const;
    void PlainBox(ui::PageText which) const;
    void RegisterStartHotKey();
    void HotKeyMessage(ui::HotKeyNotice notice) const;
    void AddTrayIcon();
    HICON TrayImage();  // the program's icon, with the catching mark while the clipboard is caught
    std::wstring TrayTipText() const;
    std::wstring HotKeyText() const;  // the hot key's name; empty while no hot key works
    void UpdateTray();  // the icon's picture and tip as the state is now
    void TellFirstStart();
    void ApplyDefaultSize(bool width, bool height);
    std::uint16_t WindowsUiLanguage() const;
    LRESULT OnTrayIcon(WPARAM wp, LPARAM lp);
    void OnActivateApp(bool active);
    void FocusCurrentPage();
    bool RewritePageEntry(int index);
    void FillTabStrip();
    pages::PageDefaults Defaults() const;
    std::wstring SettingsPath() const;
    bool EnsurePage(int index);
    void ReadPageFile(int index);
    DWORD SettlePageFile(int index, const pages::FileLook& look, bool alwaysKeepVersion);
    void ReloadPage(int index, const pages::FileLook& look);
    // `alwaysKeepVersion`: the file replaced is kept as a version even when one was kept lately.
    DWORD WritePageFile(int index, bool alwaysKeepVersion = false);
    // Keeps the page file at `pagePath`, about to be replaced by `newFile`, as a version when one is
    // due or `always`; `emptied`: the new file holds no text. ERROR_SUCCESS for the replace to go on.
    // `linked`: the version's path when it is a second name of the page file's bytes; should the
    // replace fail, pages::DetachVersion must give it bytes of its own.
    DWORD KeepVersionIfDue(PageSlot& slot, const std::wstring& pagePath, const std::wstring& newFile, bool emptied,
                           bool always, std::wstring& linked);
    pages::VersionPlaces VersionPlaces() const;
    std::wstring VersionText(ui::VersionText which) const;
    // A page that could not be written, said in the words its failure needs.
    void ShowPageNotSaved(int index, DWORD error);
    void ShowVersionNotKept(int index, DWORD error);
    void OpenVersionAsPage(const pages::VersionFile& version);
    void JoinClipboardChain();
    void LeaveClipboardChain();
    void CatchClipboardContent();
    bool RefusePut(int index, bool tell);  // true: the page cannot take anything
    void ShowOnly(int index);
    // Unlisted page files. AddListedPage is the one place such a file joins the page model.
    int AddListedPage(const std::wstring& name, int afterIndex, const pages::PageEntry& entry);
    std::optional<std::wstring> AddUnlistedFile(const std::wstring& fileName, const std::wstring& copyOf);
    bool OfferUnlistedFile(const std::wstring& name);
    std::vector<std::u16string> PageNamesU16() const;
    void UnlistedChanged();
    // Every page that changed written to its file; the pages that could not be, with the reason.
    std::vector<std::pair<int, DWORD>> WriteEveryPage();
    void TellLeftoverVersions(const std::vector<std::wstring>& pages);
    std::wstring RescueText(ui::RescueText which) const;
    std::wstring UnlistedText(ui::UnlistedText which) const;
    void RunCommand(const Command& command);
    void AppendLine(int index, const std::wstring& text);
    void CommandBox(ui::CommandLineText which, const std::wstring& argument) const;

    AppEnvironment env_;
    std::vector<std::wstring> toldWhenShown_;
    HWND hwnd_ = nullptr;
    HWND TabControl1 = nullptr;
    UniqueFont windowFont_;
    std::unique_ptr<ui::MenuSet> menus_;
    ui::Skin skin_;
    ui::ToolbarHost toolbars_;
    UniqueImageList images_;
    UniqueImageList disabledImages_;
    UniqueAccelerators accelerators_;
    pages::PageBook<HWND> book_;  // its current page is the current tab, also before the strip holds its tabs
    bool tabsFilled_ = false;  // the strip holds a tab for every page
    bool hiddenPartsBuilt_ = false;
    bool updatingBoxes_ = false;  // the font boxes are being set from the selection
    bool boxPicked_ = false;      // a font box's list was picked from and has yet to close
    HWND findDialog_ = nullptr;
    FINDREPLACEW findRequest_{};   // lives as long as the modeless dialog
    wchar_t findText_[256] = {};
    wchar_t replaceText_[256] = {};
    std::unique_ptr<search::TFindAllForm> findAll_;
    bool keysEnabled_ = false;
    int busy_ = 0;
    int loadingPage_ = 0;
    bool ending_ = false;           // FinishAll is writing the pages           // a page file is being read into its editor
    bool autoSaveArmed_ = false;
    ULONGLONG autoSaveSince_ = 0;   // the first change the armed timer waits to write
    std::wstring mainCaption_;      // the window's caption in the interface language  // depth of OneAtATime scopes
    bool deactivateAttached_ = false;  // between ShowMainWindow and FormHide
    bool hiding_ = false;  // inside FormHide's ShowWindow: the frame need not be drawn inactive
    UniqueIcon trayIconImage_;  // declared first: it must outlive the shell's use of it
    UniqueIcon trayMarkedImage_;  // the same with the catching mark; made when first needed
    bool firstStart_ = false;  // there was no tavrik.ini when the program started
    bool firstStartTold_ = false;
    bool hotKeyWorks_ = false;  // the hot key is registered
    std::wstring stateNotice_;  // what the caption tells of pages, for the tray tip too
    window::TrayIcon trayIcon_;
    struct TabDrag {
        POINT from{};
        bool dragging = false;
        bool armed = false;
    } drag_;
    bool inClipboardChain_ = false;
    DWORD joinSequence_ = 0;  // the clipboard's content when we joined the viewer chain
    DWORD caughtSequence_ = 0;  // the clipboard's content last caught
    HWND catchRefusedEditor_ = nullptr;  // an unreadable page already told it catches nothing
    std::wstring catchRefusedPage_;
    std::unique_ptr<settings::IniHold> settingsHold_;  // tavrik.ini is held back
    DWORD settingsError_ = ERROR_SUCCESS;             // why it could not be read
    std::optional<ULONGLONG> restartOfferedAt_;
    bool shownSinceOffer_ = false;
    std::vector<std::wstring> unlistedFiles_;  // file names, as the last look found them
    std::vector<std::wstring> unlistedSeen_;   // what the user last saw in the dialog
    bool unlistedNotice_ = false;              // the caption tells of files not yet seen
    std::vector<std::pair<HWND, std::wstring>> rescued_;  // editors whose text is in the rescue folder, and where
    bool placeWriteFailed_ = false;  // the window's place could not be written at an Exit: not tried again
    // Where the program last put the window to show it; while it is there, the user has not moved
    // it, and the place in tavrik.ini stays as it was.
    std::optional<RECT> placedAt_;
    std::vector<Command> commands_;  // waiting to be carried out
};

}  // namespace tavrik::app
