// Calling the window up and sending it away as a user does: the hot key pressed in another
// program, Esc, the tray icon and its menu, the title bar's close button and Alt+F4; then what
// reached the page files and tavrik.ini.
#include <gtest/gtest.h>

#include "other_window.h"
#include "real_input.h"
#include "scratch_files.h"
#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

using Names = std::vector<std::wstring>;

constexpr wchar_t kAppBoxCaption[] = L"Tavrik";  // the English title
constexpr wchar_t kPageEntry[] = L"16777215*Arial*0*10*0*0*1*";

// English texts, no fades, and a window placed away from the other program's.
void WriteSettings(const ProgramFolder& folder, std::wstring_view parameters, const Names& pages,
                   const std::wstring& pageFolder) {
    std::wstring ini = L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nStartPage=0\r\n"
                       L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n";
    ini += parameters;
    ini += L"[Pages]\r\n";
    for (const std::wstring& name : pages) {
        ini += name + L"=" + kPageEntry + L"\r\n";
        WriteBytes(pageFolder + name + L".tvk", RtfPage("Page " + Utf8(name)));
    }
    WriteUtf16WithBom(folder.Ini(), ini);
}

bool Holds(const std::optional<std::string>& bytes, std::string_view text) {
    return bytes && bytes->find(text) != std::string::npos;
}

// A page is written just after the window goes: wait for the file rather than for the window.
bool FileComesToHold(const std::wstring& path, std::string_view text) {
    const bool holds = WaitFor([&] { return Holds(ReadBytes(path), text); }, 5000);
    EXPECT_TRUE(holds) << Utf8(path) << " does not hold \"" << text << "\"";
    return holds;
}

bool EditorTextBecomes(const TavrikProcess& app, std::wstring_view expected) {
    const bool same = WaitFor([&] { return app.ShownEditorText() == expected; }, 5000);
    EXPECT_EQ(app.ShownEditorText(), expected);
    return same;
}

// The keyboard is in the page itself, not in the window around it.
bool FocusIsInThePage(const TavrikProcess& app) {
    const bool inPage = WaitFor([&] {
        const std::vector<HWND> shown = app.ShownEditors();
        return shown.size() == 1 && app.FocusWindow() == shown.front();
    });
    EXPECT_TRUE(inPage) << "the keyboard is not in the shown page";
    return inPage;
}

// The tray menu of the hidden window ends in Catch clipboard, Show and Exit; that of the shown one
// in Hide and the switch of the menu bar. Up from no selection takes the last item, as on
// Windows, and each further Up the one above.
bool ChooseFromTrayMenu(const TavrikProcess& app, int upPresses) {
    const HWND menu = app.OpenTrayMenu();
    if (!menu) return false;
    PressKeyTimes(VK_UP, upPresses);
    PressKey(VK_RETURN);
    const bool closed = WaitFor([&] { return !IsWindow(menu) || !IsWindowVisible(menu); });
    EXPECT_TRUE(closed) << "the tray menu stayed open";
    return closed;
}
constexpr int kTrayExit = 1;
constexpr int kTrayShow = 2;
constexpr int kTrayCatchClipboard = 3;
constexpr int kTrayHide = 2;

TEST(HotKey, ScrollLockInAnotherProgramBringsThePageUpAndTakesItAwayWithASave) {
    ProgramFolder folder;
    WriteSettings(folder, L"", {L"Notes"}, folder.App());  // no HotKey: Scroll Lock by default
    const std::wstring notes = folder.PageFile(L"Notes");
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    OtherWindow other({800, 150, 1200, 450});
    ASSERT_TRUE(other.TakeFocus());
    TypeText(L"mine");
    WaitFor([&] { return other.Text() == L"mine"; }, 2000);
    ASSERT_EQ(other.Text(), L"mine") << "the other program does not have the keyboard";

    PressKey(VK_SCROLL);
    ASSERT_TRUE(app.WaitUntilShown()) << "Scroll Lock pressed in another program did not call the window up";
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"first;");
    ASSERT_TRUE(EditorTextBecomes(app, L"first;Page Notes"));
    EXPECT_EQ(other.Text(), L"mine");

    PressKey(VK_SCROLL);
    ASSERT_TRUE(app.WaitUntilHidden());
    FileComesToHold(notes, "first;Page Notes");

    // Back in the other program, then the hot key again, from there.
    ASSERT_TRUE(other.TakeFocus());
    TypeText(L"+");
    PressKey(VK_SCROLL);
    ASSERT_TRUE(app.WaitUntilShown());
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"second;");  // where the caret was left
    ASSERT_TRUE(EditorTextBecomes(app, L"first;second;Page Notes"));
    PressChord(VK_SHIFT, VK_ESCAPE);
    EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(app.Window()); }, 300)) << "Shift+Esc is not Esc";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitUntilHidden());
    FileComesToHold(notes, "first;second;Page Notes");
    EXPECT_EQ(other.Text(), L"mine+") << "typing went astray";

    // Alt+F4 with CloseAsMinimize off ends the program.
    PressKey(VK_SCROLL);
    ASSERT_TRUE(app.WaitUntilShown());
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"third;");
    ASSERT_TRUE(EditorTextBecomes(app, L"first;second;third;Page Notes"));
    PressChord(VK_MENU, VK_F4);
    ASSERT_TRUE(app.WaitForEnd("Alt+F4"));
    EXPECT_TRUE(Holds(ReadBytes(notes), "first;second;third;Page Notes"));
}

// A Russian sentence, and the same as the clipboard shows it when its KOI8-R bytes were taken for
// Windows-1251 (made with iconv): "Широкая электрификация южных губерний".
constexpr wchar_t kRussian[] =
    L"\u0428\u0438\u0440\u043E\u043A\u0430\u044F \u044D\u043B\u0435\u043A\u0442\u0440\u0438\u0444\u0438\u043A\u0430"
    L"\u0446\u0438\u044F \u044E\u0436\u043D\u044B\u0445 \u0433\u0443\u0431\u0435\u0440\u043D\u0438\u0439";
constexpr wchar_t kAsKoi8[] =
    L"\u044B\u0419\u0422\u041F\u041B\u0411\u0421 \u042C\u041C\u0415\u041B\u0424\u0422\u0419\u0416\u0419\u041B\u0411"
    L"\u0413\u0419\u0421 \u0410\u0426\u041E\u0429\u0418 \u0417\u0425\u0412\u0415\u0422\u041E\u0419\u041A";

// The editor would paste these keys by itself, past the recoding; they run Paste instead.
TEST(PasteKeys, CtrlVAndShiftInsertRecodeWhatTheyPaste) {
    ProgramFolder folder;
    WriteSettings(folder, L"AutoDecode=1\r\n", {L"Notes"}, folder.App());
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    ASSERT_TRUE(FocusIsInThePage(app));
    ASSERT_TRUE(CopyToClipboard(kAsKoi8));
    PressChord(VK_CONTROL, 'V');
    ASSERT_TRUE(EditorTextBecomes(app, std::wstring(kRussian) + L"Page Notes"));
    PressChord(VK_SHIFT, VK_INSERT);
    ASSERT_TRUE(EditorTextBecomes(app, std::wstring(kRussian) + kRussian + L"Page Notes"));
    ASSERT_TRUE(app.Close());
}

TEST(CloseAsMinimize, CloseButtonOnlyHidesAndTrayExitSavesEverythingInTabOrder) {
    ProgramFolder folder;
    WriteSettings(folder, L"CloseAsMinimize=1\r\n", {L"One", L"Two", L"Three", L"Four"}, folder.App());
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());

    app.ClickTrayIcon();
    ASSERT_TRUE(app.WaitUntilShown()) << "a left click on the tray icon shows the window";
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"one;");
    ASSERT_TRUE(EditorTextBecomes(app, L"one;Page One"));
    PressChord(VK_CONTROL, VK_TAB);
    WaitFor([&] { return app.CurrentTab() == 1; }, 5000);
    ASSERT_EQ(app.CurrentTab(), 1);
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"two;");
    ASSERT_TRUE(EditorTextBecomes(app, L"two;Page Two"));

    // Leaving a page wrote it; from here only the close counts.
    ASSERT_TRUE(FileComesToHold(folder.PageFile(L"One"), "one;Page One"));
    const auto oneBytes = ReadBytes(folder.PageFile(L"One"));
    const auto oneTime = LastWriteTime(folder.PageFile(L"One"));
    const auto threeBytes = ReadBytes(folder.PageFile(L"Three"));
    const auto iniBytes = ReadBytes(folder.Ini());
    const auto iniTime = LastWriteTime(folder.Ini());

    const auto closeButton = app.FramePoint(HTCLOSE);
    ASSERT_TRUE(closeButton);
    ASSERT_TRUE(Click(*closeButton));
    ASSERT_TRUE(app.WaitUntilHidden()) << "the close button hides the window";
    EXPECT_TRUE(app.Responds());
    FileComesToHold(folder.PageFile(L"Two"), "two;Page Two");
    EXPECT_EQ(ReadBytes(folder.PageFile(L"One")), oneBytes);
    EXPECT_TRUE(SameTime(LastWriteTime(folder.PageFile(L"One")), oneTime)) << "only the current page is written";
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Three")), threeBytes);
    EXPECT_TRUE(ReadBytes(folder.Ini()) == iniBytes && SameTime(LastWriteTime(folder.Ini()), iniTime))
        << "a close that hides leaves tavrik.ini alone";
    EXPECT_EQ(FolderEntries(folder.App()),
              (Names{L"Four.tvk", L"One.tvk", L"Three.tvk", L"Two.tvk", L"tavrik.exe", L"tavrik.ini", L"~versions"}));

    // Up again from the tray; the window is moved by its title bar, a tab dragged, pages changed.
    app.ClickTrayIcon();
    ASSERT_TRUE(app.WaitUntilShown());
    EXPECT_EQ(app.CurrentTab(), 1);
    const auto caption = app.FramePoint(HTCAPTION);
    ASSERT_TRUE(caption);
    ASSERT_TRUE(Drag(*caption, {caption->x + 60, caption->y + 40}));
    RECT moved{};
    WaitFor([&] { return GetWindowRect(app.Window(), &moved) && moved.left == 160 && moved.top == 140; }, 5000);
    GetWindowRect(app.Window(), &moved);
    EXPECT_EQ(moved.left, 160);
    EXPECT_EQ(moved.top, 140);

    ASSERT_TRUE(Drag(app.TabPoint(0), app.TabPoint(2)));
    WaitFor([&] { return app.TabCaptions() == Names{L"Two", L"Three", L"One", L"Four"}; }, 5000);
    ASSERT_EQ(app.TabCaptions(), (Names{L"Two", L"Three", L"One", L"Four"}));
    EXPECT_EQ(app.CurrentTab(), 2);
    // Round the ring and back: after the last page comes the first.
    const auto pageAfter = [&](auto press, int expected) {
        press();
        WaitFor([&] { return app.CurrentTab() == expected; }, 5000);
        EXPECT_EQ(app.CurrentTab(), expected);
    };
    pageAfter([] { PressChord(VK_CONTROL, VK_TAB); }, 3);
    pageAfter([] { PressChord(VK_CONTROL, VK_TAB); }, 0);
    pageAfter([] { PressChord(VK_CONTROL, VK_SHIFT, VK_TAB); }, 3);
    EXPECT_EQ(app.ShownEditorText(), L"Page Four");
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"four;");
    ASSERT_TRUE(EditorTextBecomes(app, L"four;Page Four"));
    PressChord(VK_MENU, VK_F4);
    ASSERT_TRUE(app.WaitUntilHidden()) << "Alt+F4 hides the window, as the close button does";
    EXPECT_TRUE(app.Responds());
    FileComesToHold(folder.PageFile(L"Four"), "four;Page Four");

    // Hidden, the page still takes what another program copies; only Exit can save that.
    ASSERT_TRUE(ChooseFromTrayMenu(app, kTrayCatchClipboard));
    ASSERT_TRUE(CopyToClipboard(L"caught;"));
    ASSERT_TRUE(EditorTextBecomes(app, L"four;caught;Page Four")) << "the hidden page did not catch the copy";
    EXPECT_FALSE(IsWindowVisible(app.Window()));

    ASSERT_TRUE(ChooseFromTrayMenu(app, kTrayExit));
    ASSERT_TRUE(app.WaitForEnd("Exit in the tray menu"));
    EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(L"Four")), "four;caught;Page Four"));
    EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(L"One")), "one;Page One"));
    EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(L"Two")), "two;Page Two"));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Three")), threeBytes) << "a page never shown is never written";
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Two", L"Three", L"One", L"Four"}));
    // The caret of the current page after "four;" and "caught;": the list was written at the end.
    EXPECT_EQ(ini->Value(L"Pages", L"Four"), L"16777215*Arial*0*10*0*12*1*");
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"3");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainLeft"), L"160");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainTop"), L"140");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainWidth"), L"640");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainHeight"), L"480");
    EXPECT_EQ(ini->Value(L"Parameters", L"CatchClipboard"), L"1");
}

TEST(TrayExit, DeletedSaveFolderIsReportedThenExitSucceedsOnceItIsBack) {
    ProgramFolder folder;
    const std::wstring pages = folder.Root() + L"pages";  // no backslash at the end, as users type it
    ASSERT_TRUE(CreateDirectoryW(pages.c_str(), nullptr));
    WriteSettings(folder, L"CloseAsMinimize=1\r\nSaveTo=" + pages + L"\r\n", {L"Notes", L"Todo"}, pages + L"\\");
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());

    ASSERT_TRUE(ChooseFromTrayMenu(app, kTrayShow));
    ASSERT_TRUE(app.WaitUntilShown());
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"kept;");
    PressChord(VK_CONTROL, VK_TAB);
    WaitFor([&] { return app.CurrentTab() == 1; }, 5000);
    ASSERT_EQ(app.CurrentTab(), 1);
    ASSERT_TRUE(FocusIsInThePage(app));
    TypeText(L"todo;");
    ASSERT_TRUE(EditorTextBecomes(app, L"todo;Page Todo"));
    ASSERT_TRUE(ChooseFromTrayMenu(app, kTrayHide));
    ASSERT_TRUE(app.WaitUntilHidden());
    FileComesToHold(pages + L"\\Todo.tvk", "todo;Page Todo");

    test::RemoveTree(pages + L"\\");
    ASSERT_FALSE(FileExists(pages + L"\\Notes.tvk"));
    const auto iniBytes = ReadBytes(folder.Ini());
    ASSERT_TRUE(ChooseFromTrayMenu(app, kTrayExit));
    const HWND box = app.WaitForDialog(kAppBoxCaption);
    ASSERT_TRUE(box);
    const std::wstring expected = L"Cannot create file \"" + pages + L"\\Notes.tvk\". ";
    const std::wstring message = DialogMessage(box);
    EXPECT_EQ(message.substr(0, expected.size()), expected);
    EXPECT_GT(message.size(), expected.size()) << "the system's reason follows";
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    EXPECT_FALSE(WaitFor([&] { return !app.IsRunning(); }, 500)) << "a failed save keeps the program up";
    EXPECT_TRUE(app.Responds());
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    EXPECT_TRUE(ReadBytes(folder.Ini()) == iniBytes) << "nothing after the pages is saved when a page fails";
    EXPECT_EQ(GetFileAttributesW(pages.c_str()), INVALID_FILE_ATTRIBUTES) << "the save folder is not made";

    ASSERT_TRUE(CreateDirectoryW(pages.c_str(), nullptr));
    ASSERT_TRUE(ChooseFromTrayMenu(app, kTrayExit));
    ASSERT_TRUE(app.WaitForEnd("Exit in the tray menu, the folder back"));
    EXPECT_EQ(FolderEntries(pages + L"\\"), (Names{L"Notes.tvk", L"Todo.tvk"}));
    EXPECT_TRUE(Holds(ReadBytes(pages + L"\\Notes.tvk"), "kept;Page Notes"));
    EXPECT_TRUE(Holds(ReadBytes(pages + L"\\Todo.tvk"), "todo;Page Todo"));
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Notes", L"Todo"}));
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"1");
}

}  // namespace
}  // namespace tavrik::e2e
