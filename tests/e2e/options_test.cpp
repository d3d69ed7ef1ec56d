// The Options dialog of the running program: opened with Ctrl+Alt+O, read from outside, and its
// Apply moving the page files and turning the pages into plain text and back; the About box from
// the Help menu.
#include <gtest/gtest.h>

#include "app/res/resource_ids.h"
#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

#include <commctrl.h>

namespace tavrik::e2e {
namespace {

constexpr wchar_t kPageEntry[] = L"16777215*Arial*0*10*0*0*1*";

void WriteSettings(const ProgramFolder& folder, std::wstring_view parameters, const std::vector<std::wstring>& pages) {
    std::wstring ini = L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nStartPage=0\r\n"
                       L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n";
    ini += parameters;
    ini += L"[Pages]\r\n";
    for (const std::wstring& name : pages) ini += name + L"=" + kPageEntry + L"\r\n";
    WriteUtf16WithBom(folder.Ini(), ini);
}

BOOL CALLBACK FindById(HWND hwnd, LPARAM search) {
    auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(search);
    if (GetDlgCtrlID(hwnd) != wanted->first) return TRUE;
    wanted->second = hwnd;
    return FALSE;
}

// A control of the dialog, on whichever page it lies.
HWND Control(HWND dialog, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(dialog, FindById, reinterpret_cast<LPARAM>(&search));
    EXPECT_TRUE(search.second) << "no control " << id;
    return search.second;
}

bool Ticked(HWND dialog, int id) { return SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::wstring Text(HWND hwnd) {
    wchar_t text[512] = {};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));  // the control's own, from outside
    return text;
}

HWND OpenOptions(TavrikProcess& app) {
    if (!app.Show()) return nullptr;
    PressChord(VK_CONTROL, VK_MENU, 'O');
    return app.WaitForDialog(L"Options");
}

TEST(Options, CtrlAltOShowsEveryValueOfTavrikIniAndEscClosesOnlyTheDialog) {
    ProgramFolder folder;
    WriteSettings(folder,
                  L"Style=1\r\nMultitabs=1\r\nShowCool=0\r\nFadeSpeed=17\r\nMaxTransparency=200\r\nAutoTab=1\r\n"
                  L"AutoDecode=1\r\nHotKey=16507\r\nCloseAsMinimize=1\r\nOnTop=0\r\nAutoHide=1\r\nHideTimeout=7\r\n"
                  L"Plain=0\r\n",
                  {L"One"});
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    const HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    // Each page is made when first shown: round the four of them with Ctrl+Tab.
    for (int page = 1; page <= 4; ++page) PressChord(VK_CONTROL, VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(Control(dialog, IDC_OPTIONS_PAGES), TCM_GETCURSEL, 0, 0) == 0; }));
    EXPECT_EQ(SendMessageW(Control(dialog, IDC_STYLE), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Text(Control(dialog, IDC_STYLE)), L"Office XP");
    EXPECT_TRUE(Ticked(dialog, IDC_MULTITABS));
    EXPECT_TRUE(Ticked(dialog, IDC_NO_TRANSPARENCY));
    EXPECT_FALSE(Ticked(dialog, IDC_SHOW_COOL));
    EXPECT_FALSE(IsWindowEnabled(Control(dialog, IDC_TRANSPARENCY))) << "greyed without translucency";
    EXPECT_EQ(Text(Control(dialog, IDC_FADE_SPEED)), L"17");
    EXPECT_EQ(SendMessageW(Control(dialog, IDC_TRANSPARENCY), TBM_GETPOS, 0, 0), 55);
    EXPECT_FALSE(Ticked(dialog, IDC_PLAIN));
    EXPECT_TRUE(Ticked(dialog, IDC_AUTO_TAB));
    EXPECT_TRUE(Ticked(dialog, IDC_AUTO_DECODE));
    EXPECT_TRUE(IsWindowEnabled(Control(dialog, IDC_DECODE_WARNING)));
    EXPECT_EQ(SendMessageW(Control(dialog, IDC_HOT_KEY), HKM_GETHOTKEY, 0, 0), 0x7B | (HOTKEYF_CONTROL << 8));
    EXPECT_EQ(Text(Control(dialog, IDC_SAVE_TO)), folder.App());
    EXPECT_TRUE(Ticked(dialog, IDC_CLOSE_MIN));
    EXPECT_FALSE(Ticked(dialog, IDC_ON_TOP));
    EXPECT_FALSE(Ticked(dialog, IDC_AUTOSTART));
    EXPECT_TRUE(Ticked(dialog, IDC_AUTO_HIDE));
    EXPECT_EQ(Text(Control(dialog, IDC_HIDE_TIMEOUT)), L"7");
    EXPECT_TRUE(IsWindowEnabled(Control(dialog, IDC_HIDE_TIMEOUT)));
    EXPECT_EQ(Text(Control(dialog, IDC_SECOND_LABEL)), L"sec");
    EXPECT_FALSE(IsWindowEnabled(app.Window())) << "modal to the main window";

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    EXPECT_TRUE(app.WaitUntilShown());
    app.FailOnMessageBoxes("after Esc");
}  // closing would only hide the window here; the process is ended

bool StartsWith(const std::optional<std::string>& bytes, std::string_view start) {
    return bytes && bytes->compare(0, start.size(), start) == 0;
}

// Apply, and the question it asks answered with `answer`; false when the question did not come.
bool ApplyAnswering(TavrikProcess& app, HWND dialog, int answer) {
    PostMessageW(Control(dialog, IDC_APPLY), BM_CLICK, 0, 0);
    const HWND question = app.WaitForDialog(L"Confirm");  // the settings ask for English
    if (!question) return false;
    PostMessageW(GetDlgItem(question, answer), BM_CLICK, 0, 0);
    return WaitFor([&] { return !IsWindow(question); });
}

// Rich to plain asks first; No leaves the files and unticks the box, Yes keeps every page's text
// and drops the formatting, and back to rich text asks nothing and keeps the text again, pages
// never shown too.
TEST(Options, PagesBecomePlainTextOnlyAfterYesAndComeBackAsRichTextWithTheirText) {
    ProgramFolder folder;
    WriteSettings(folder, L"Plain=0\r\n", {L"First", L"Second"});
    const std::string first = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 \\b Bold\\b0  \\u1046?\\u1080?\\u1074? text\\par}";
    WriteBytes(folder.PageFile(L"First"), first);
    WriteBytes(folder.PageFile(L"Second"), RtfPage("Second page"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    PressChord(VK_CONTROL, VK_TAB);  // the Editor page
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(Control(dialog, IDC_OPTIONS_PAGES), TCM_GETCURSEL, 0, 0) == 1; }));
    SendMessageW(Control(dialog, IDC_PLAIN), BM_CLICK, 0, 0);
    ASSERT_TRUE(ApplyAnswering(app, dialog, IDNO));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"First")), first) << "No changes nothing";
    EXPECT_TRUE(StartsWith(ReadBytes(folder.PageFile(L"Second")), "{\\rtf"));
    EXPECT_TRUE(WaitFor([&] { return !Ticked(dialog, IDC_PLAIN); })) << "No unticks the box";

    SendMessageW(Control(dialog, IDC_PLAIN), BM_CLICK, 0, 0);
    ASSERT_TRUE(ApplyAnswering(app, dialog, IDYES));
    // tavrik.ini is written last, after every page.
    const auto plainKey = [&] { return ReadIni(folder.Ini())->Value(L"Parameters", L"Plain"); };
    ASSERT_TRUE(WaitFor([&] { return plainKey() == L"1"; }));
    for (const wchar_t* name : {L"First", L"Second"})
        EXPECT_FALSE(StartsWith(ReadBytes(folder.PageFile(name)), "{\\rtf")) << Utf8(name) << " is plain text now";
    EXPECT_NE(ReadBytes(folder.PageFile(L"Second")).value_or("").find("Second page"), std::string::npos);
    EXPECT_EQ(app.ShownEditorText(), L"Bold \u0416\u0438\u0432 text");

    SendMessageW(Control(dialog, IDC_PLAIN), BM_CLICK, 0, 0);
    PostMessageW(Control(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    for (const wchar_t* name : {L"First", L"Second"})
        EXPECT_TRUE(StartsWith(ReadBytes(folder.PageFile(name)), "{\\rtf")) << Utf8(name) << " is rich text again";
    EXPECT_EQ(plainKey(), L"0");
    EXPECT_EQ(app.ShownEditorText(), L"Bold \u0416\u0438\u0432 text");
    ASSERT_TRUE(app.WaitUntilShown());
    PressChord(VK_CONTROL, VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return app.ShownEditorText() == L"Second page"; }, 5000));
    EXPECT_EQ(app.ShownEditorText(), L"Second page");
    app.FailOnMessageBoxes("after the conversions");
    EXPECT_TRUE(app.Close());
}

// The Main page, the folder field clicked, its text replaced by typing and Enter pressed, as a user
// does; false (the test failed) when the dialog did not close.
bool TypeFolderAndEnter(TavrikProcess& app, std::wstring_view folder) {
    const HWND dialog = OpenOptions(app);
    if (!dialog) return false;
    // The dialog opens on the page it was left on.
    const HWND tabs = Control(dialog, IDC_OPTIONS_PAGES);
    const auto page = [&] { return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); };
    for (int before = page(); before != 3; before = page()) {
        PressChord(VK_CONTROL, VK_TAB);
        if (!WaitFor([&] { return page() != before; })) return false;
    }
    const HWND field = Control(dialog, IDC_SAVE_TO);
    RECT rc{};
    GetWindowRect(field, &rc);
    if (!Click({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}) || !app.WaitForFocusIn(field)) return false;
    SendMessageW(field, EM_SETSEL, 0, -1);
    TypeText(folder);
    PressKey(VK_RETURN);
    return WaitFor([&] { return !IsWindowVisible(dialog); });
}

std::optional<std::wstring> SaveTo(const ProgramFolder& folder) {
    return ReadIni(folder.Ini())->Value(L"Parameters", L"SaveTo");
}

// A page never shown moves as its file; the same folder under another spelling moves nothing.
TEST(Options, TypedFolderAndEnterMoveEveryPageFileAndTheSameFolderSpelledOtherwiseMovesNothing) {
    ProgramFolder folder;
    WriteSettings(folder, L"", {L"Shown", L"Never"});
    WriteBytes(folder.PageFile(L"Shown"), RtfPage("Shown page"));
    WriteBytes(folder.PageFile(L"Never"), RtfPage("Never shown"));
    const std::wstring target = folder.Root() + L"moved\\";
    ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(TypeFolderAndEnter(app, target));
    ASSERT_TRUE(WaitFor([&] { return SaveTo(folder) == target; }));
    EXPECT_EQ(ReadBytes(target + L"Shown.tvk"), RtfPage("Shown page"));
    EXPECT_EQ(ReadBytes(target + L"Never.tvk"), RtfPage("Never shown"));
    EXPECT_FALSE(FileExists(folder.PageFile(L"Shown")));
    EXPECT_FALSE(FileExists(folder.PageFile(L"Never")));
    app.FailOnMessageBoxes("after the move");

    ASSERT_TRUE(TypeFolderAndEnter(app, target + L".\\"));
    EXPECT_EQ(SaveTo(folder), target);
    EXPECT_EQ(FolderEntries(target), (std::vector<std::wstring>{L"Never.tvk", L"Shown.tvk"}));
    app.FailOnMessageBoxes("after the same folder");
    EXPECT_TRUE(app.Close());
}

TEST(Options, FolderThatIsNotThereGivesOneErrorNamingEveryPageFileAndMovesNothing) {
    ProgramFolder folder;
    WriteSettings(folder, L"SaveTo=" + folder.App() + L"\r\n", {L"One", L"Two"});
    WriteBytes(folder.PageFile(L"One"), RtfPage("Page one"));
    WriteBytes(folder.PageFile(L"Two"), RtfPage("Page two"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    const HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    for (int page = 1; page <= 3; ++page) PressChord(VK_CONTROL, VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(Control(dialog, IDC_OPTIONS_PAGES), TCM_GETCURSEL, 0, 0) == 3; }));
    SendMessageW(Control(dialog, IDC_SAVE_TO), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((folder.Root() + L"not there\\").c_str()));
    PostMessageW(Control(dialog, IDC_APPLY), BM_CLICK, 0, 0);
    const HWND error = app.WaitForDialog(L"Error");
    ASSERT_TRUE(error);
    const std::wstring text = DialogMessage(error);
    PostMessageW(error, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(error); }));
    EXPECT_EQ(text.find(L"Can't move these files:\r\n" + folder.PageFile(L"One") + L": "), 0u) << Utf8(text);
    EXPECT_NE(text.find(L"\r\n" + folder.PageFile(L"Two") + L": "), std::wstring::npos);
    EXPECT_TRUE(text.ends_with(L"\r\nThe new save path will NOT be stored !"));
    EXPECT_EQ(SaveTo(folder), folder.App());
    EXPECT_EQ(ReadBytes(folder.PageFile(L"One")), RtfPage("Page one"));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Two")), RtfPage("Page two"));
    EXPECT_FALSE(FileExists(folder.Root() + L"not there"));
    ASSERT_TRUE(IsWindowVisible(dialog)) << "Apply leaves the dialog open, the folder field as typed";
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    app.FailOnMessageBoxes("after the errors");
}

TEST(AboutBox, HelpAboutFromTheKeyboardShowsTheVersionAndEnterClosesOnlyTheBox) {
    ProgramFolder folder;
    WriteSettings(folder, L"", {L"One"});
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    PressChord(VK_MENU, 'H');
    ASSERT_TRUE(app.WaitForMenu());
    PressKey('A');
    const HWND box = app.WaitForDialog(L"About");
    ASSERT_TRUE(box);
    EXPECT_EQ(Text(GetDlgItem(box, 101)), L"Tavrik, Version " TAVRIK_EXPECTED_VERSION);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(app.WaitUntilShown());
    app.FailOnMessageBoxes("after the About box");
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace tavrik::e2e
