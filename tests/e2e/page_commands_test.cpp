// Page commands driven as a user drives them: keys typed and tabs clicked, double-clicked, dragged
// and right-clicked in the shown window; then the tabs, the page files and tavrik.ini are checked.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

#include <cstdlib>

namespace tavrik::e2e {
namespace {

using Names = std::vector<std::wstring>;

constexpr wchar_t kNameDialog[] = L"New name";
constexpr wchar_t kAppBoxCaption[] = L"Tavrik";  // the English title

// English texts, and a window placed well inside the screen so that every tab can be aimed at.
void WritePages(const ProgramFolder& folder, const Names& names) {
    std::wstring ini = L"[Parameters]\r\nLanguage=0\r\nStartPage=0\r\n"
                       L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n[Pages]\r\n";
    for (const std::wstring& name : names) {
        ini += name + L"=16777215*Arial*0*10*0*0*1*\r\n";
        WriteBytes(folder.PageFile(name), RtfPage("Page " + Utf8(name)));
    }
    WriteUtf16WithBom(folder.Ini(), ini);
}

bool Holds(const std::optional<std::string>& bytes, std::string_view text) {
    return bytes && bytes->find(text) != std::string::npos;
}

// The program answers input at its own pace: wait for the tabs to settle before comparing.
void ExpectTabsBecome(const TavrikProcess& app, const Names& expected) {
    WaitFor([&] { return app.TabCaptions() == expected; }, 5000);
    EXPECT_EQ(app.TabCaptions(), expected);
}

bool WaitForClosed(HWND dialog) {
    const bool closed = WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
    EXPECT_TRUE(closed) << "the dialog stayed open";
    return closed;
}

TEST(NewPageByKeyboard, RefusedNameComesBackForMendingAndTheNewPageIsSavedLast) {
    ProgramFolder folder;
    WritePages(folder, {L"Notes", L"New page1", L"New page3"});
    const auto oldPage = ReadBytes(folder.PageFile(L"New page1"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());

    // The proposal fills the gap in the numbers. Esc makes nothing, and the shortcut works after it.
    PressChord(VK_CONTROL, 'N');
    HWND dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"New page2");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForClosed(dialog));
    EXPECT_EQ(app.TabCaptions(), (Names{L"Notes", L"New page1", L"New page3"}));
    EXPECT_FALSE(FileExists(folder.PageFile(L"New page2")));
    ASSERT_TRUE(app.Show());

    PressChord(VK_CONTROL, 'N');
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"New page2");
    TypeText(L"notes.old");  // the proposal is selected, so typing replaces it
    PressKey(VK_RETURN);
    const HWND refusal = app.WaitForDialog(kAppBoxCaption);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(DialogMessage(refusal), L"Illegal character !!!");
    PressKey(VK_RETURN);
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"notes.old");
    EXPECT_EQ(app.TabCaptions().size(), 3u) << "nothing is made before a name is accepted";

    PressKey(VK_END);
    PressKeyTimes(VK_BACK, 4);
    TypeText(L"-old");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    ExpectTabsBecome(app, {L"Notes", L"New page1", L"New page3", L"notes-old"});
    EXPECT_EQ(app.CurrentTab(), 3);
    // File and list entry exist from the start, before any save.
    EXPECT_TRUE(FileExists(folder.PageFile(L"notes-old")));
    const auto early = ReadIni(folder.Ini());
    ASSERT_TRUE(early);
    EXPECT_EQ(early->Keys(L"Pages"), (Names{L"Notes", L"New page1", L"New page3", L"notes-old"}));

    // The new page has the focus: what is typed now lands in it.
    ASSERT_TRUE(app.FocusPage());
    TypeText(L"Milk, bread, tea");
    WaitFor([&] { return app.ShownEditorText() == L"Milk, bread, tea"; }, 5000);
    EXPECT_EQ(app.ShownEditorText(), L"Milk, bread, tea");
    ASSERT_TRUE(app.Close());

    EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(L"notes-old")), "Milk, bread, tea"));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"New page1")), oldPage);
    // Notes was replaced when the new page came: its file as it was is kept as a version.
    EXPECT_EQ(FolderEntries(folder.App()), (Names{L"New page1.tvk", L"New page3.tvk", L"Notes.tvk",
                                                  L"notes-old.tvk", L"tavrik.exe", L"tavrik.ini", L"~versions"}));
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Notes", L"New page1", L"New page3", L"notes-old"}));
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"3");
}

TEST(RenameByDoubleClick, RenamesTabFileAndListTogetherOrNoneOfThem) {
    ProgramFolder folder;
    WritePages(folder, {L"Alpha", L"Beta", L"Gamma"});
    const std::string stranger = RtfPage("Not a page");  // a file of the name, but no page
    WriteBytes(folder.PageFile(L"Delta"), stranger);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());

    // The name confirmed unchanged: no message, nothing touched.
    ASSERT_TRUE(DoubleClick(app.TabPoint(0)));
    HWND dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"Alpha");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    EXPECT_FALSE(WaitFor([&] { return app.ShowsPopup(); }, 500)) << "nothing to say about an unchanged name";
    EXPECT_EQ(app.TabCaptions(), (Names{L"Alpha", L"Beta", L"Gamma"}));

    // The first click makes the tab current, so the page double-clicked is the one renamed.
    ASSERT_TRUE(DoubleClick(app.TabPoint(1)));
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(app.CurrentTab(), 1);
    EXPECT_EQ(DialogEditText(dialog), L"Beta");
    TypeText(L"Bravo");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    ExpectTabsBecome(app, {L"Alpha", L"Bravo", L"Gamma"});
    EXPECT_FALSE(FileExists(folder.PageFile(L"Beta")));
    EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(L"Bravo")), "Page Beta"));
    EXPECT_EQ(app.ShownEditorText(), L"Page Beta");
    const auto renamed = ReadIni(folder.Ini());
    ASSERT_TRUE(renamed);
    EXPECT_FALSE(renamed->Value(L"Pages", L"Beta"));
    EXPECT_TRUE(renamed->Value(L"Pages", L"Bravo"));

    // The file of the new name is in the way: the dialog comes back with the name as typed, and
    // after a cancel the page keeps its old name everywhere.
    ASSERT_TRUE(DoubleClick(app.TabPoint(2)));
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"Gamma");
    TypeText(L"Delta");
    PressKey(VK_RETURN);
    const HWND refusal = app.WaitForDialog(kAppBoxCaption);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(DialogMessage(refusal), L"Cannot change the filename !");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(refusal));
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"Delta");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForClosed(dialog));
    ExpectTabsBecome(app, {L"Alpha", L"Bravo", L"Gamma"});
    EXPECT_EQ(app.CurrentTab(), 2);
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Delta")), stranger);
    ASSERT_TRUE(app.Close());

    EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(L"Gamma")), "Page Gamma"));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Delta")), stranger);
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Alpha", L"Bravo", L"Gamma"}));
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"2");
}

TEST(TabDrag, FirstOfFourDroppedOnTheThirdTakesItsPlace) {
    ProgramFolder folder;
    WritePages(folder, {L"One", L"Two", L"Three", L"Four"});
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());

    // Dropped on the page below the strip, on no tab: nothing moves.
    const Names before{L"One", L"Two", L"Three", L"Four"};
    const RECT first = app.TabRect(0);
    ASSERT_TRUE(Drag(app.TabPoint(0), {first.right - 2, first.bottom + 80}));
    EXPECT_FALSE(WaitFor([&] { return app.TabCaptions() != before; }, 500));
    EXPECT_EQ(app.TabCaptions(), before);
    EXPECT_EQ(app.CurrentTab(), 0);

    ASSERT_TRUE(Drag(app.TabPoint(0), app.TabPoint(2)));
    ExpectTabsBecome(app, {L"Two", L"Three", L"One", L"Four"});
    EXPECT_EQ(app.CurrentTab(), 2);
    EXPECT_EQ(app.ShownEditorText(), L"Page One") << "the moved page goes with its tab";
    ASSERT_TRUE(app.Close());

    // A move renames nothing: each file still holds its own page.
    for (const wchar_t* name : {L"One", L"Two", L"Three", L"Four"})
        EXPECT_TRUE(Holds(ReadBytes(folder.PageFile(name)), "Page " + Utf8(name))) << Utf8(name);
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Two", L"Three", L"One", L"Four"}));
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"2");
}

TEST(TabMenu, RightClickMakesThePageCurrentAndDeleteAsksFirst) {
    ProgramFolder folder;
    WritePages(folder, {L"Alpha", L"Beta", L"Gamma"});
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());

    // The menu opens where the button went up; "No" keeps the page.
    const POINT beta = app.TabPoint(1);
    ASSERT_TRUE(RightClick(beta));
    HWND menu = app.WaitForMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(app.CurrentTab(), 1);
    EXPECT_EQ(app.ShownEditorText(), L"Page Beta");
    RECT menuRect{};
    GetWindowRect(menu, &menuRect);
    EXPECT_LE(std::abs(menuRect.left - beta.x), 2);
    EXPECT_LE(std::abs(menuRect.top - beta.y), 2);
    PressKeyTimes(VK_DOWN, 2);  // New page, Delete page
    PressKey(VK_RETURN);
    HWND question = app.WaitForDialog(L"Page delete");
    ASSERT_TRUE(question);
    EXPECT_EQ(DialogMessage(question), L"Are you sure you want delete page 'Beta' ?\rIt goes to the Recycle Bin.");
    PressKey('N');
    ASSERT_TRUE(WaitForClosed(question));
    EXPECT_EQ(app.TabCaptions(), (Names{L"Alpha", L"Beta", L"Gamma"}));
    EXPECT_TRUE(FileExists(folder.PageFile(L"Beta")));

    // The last page deleted: the first becomes current.
    ASSERT_TRUE(RightClick(app.TabPoint(2)));
    ASSERT_TRUE(app.WaitForMenu());
    EXPECT_EQ(app.CurrentTab(), 2);
    PressKeyTimes(VK_DOWN, 2);
    PressKey(VK_RETURN);
    question = app.WaitForDialog(L"Page delete");
    ASSERT_TRUE(question);
    EXPECT_NE(DialogMessage(question).find(L"'Gamma'"), std::wstring::npos);
    PressKey('Y');
    ASSERT_TRUE(WaitForClosed(question));
    ExpectTabsBecome(app, {L"Alpha", L"Beta"});
    EXPECT_EQ(app.CurrentTab(), 0);
    EXPECT_EQ(app.ShownEditorText(), L"Page Alpha");
    EXPECT_FALSE(FileExists(folder.PageFile(L"Gamma")));
    const auto early = ReadIni(folder.Ini());
    ASSERT_TRUE(early);
    EXPECT_EQ(early->Keys(L"Pages"), (Names{L"Alpha", L"Beta"}));
    ASSERT_TRUE(app.Close());

    EXPECT_EQ(FolderEntries(folder.App()), (Names{L"Alpha.tvk", L"Beta.tvk", L"tavrik.exe", L"tavrik.ini"}));
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Alpha", L"Beta"}));
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"0");
}

// The tab strip never has the keyboard: F2 renames the current page, and Ctrl+Shift+F10 opens the
// tab's menu under the current tab, where Delete and Rename are chosen with the arrow keys.
TEST(PageKeys, F2RenamesAndCtrlShiftF10OpensTheTabMenuUnderTheTab) {
    ProgramFolder folder;
    WritePages(folder, {L"Alpha", L"Beta"});
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    ASSERT_TRUE(app.FocusPage());

    PressKey(VK_F2);
    HWND dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"Alpha");
    TypeText(L"First");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    ExpectTabsBecome(app, {L"First", L"Beta"});
    EXPECT_TRUE(FileExists(folder.PageFile(L"First")));

    PressChord(VK_CONTROL, VK_TAB);
    WaitFor([&] { return app.CurrentTab() == 1; }, 5000);
    ASSERT_TRUE(app.FocusPage());
    PressChord(VK_CONTROL, VK_SHIFT, VK_F10);
    const HWND menu = app.WaitForMenu();
    ASSERT_TRUE(menu);
    RECT menuRect{};
    GetWindowRect(menu, &menuRect);
    const RECT tab = app.TabRect(1);
    EXPECT_LE(std::abs(menuRect.left - tab.left), 2);
    EXPECT_LE(std::abs(menuRect.top - tab.bottom), 2);
    PressKeyTimes(VK_DOWN, 3);  // New page, Delete page, Rename page
    PressKey(VK_RETURN);
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DialogEditText(dialog), L"Beta");
    TypeText(L"Second");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    ExpectTabsBecome(app, {L"First", L"Second"});
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(FolderEntries(folder.App()), (Names{L"First.tvk", L"Second.tvk", L"tavrik.exe", L"tavrik.ini"}))
        << "pages renamed but not changed keep their files, and no versions";
}

// Once the name dialog has closed (cancelled, or a page renamed) typing goes into the page, not
// into the window around it.
TEST(PageFocus, TypingAfterTheNameDialogGoesIntoThePage) {
    ProgramFolder folder;
    WritePages(folder, {L"Notes"});
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    ASSERT_TRUE(app.FocusPage());
    const auto typedLands = [&](std::wstring_view text) {
        return WaitFor([&] { return app.ShownEditorText().find(text) != std::wstring::npos; }, 2000);
    };

    PressChord(VK_CONTROL, 'N');
    HWND dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForClosed(dialog));
    TypeText(L"first");
    EXPECT_TRUE(typedLands(L"first")) << "typed after cancelling a new page";

    ASSERT_TRUE(DoubleClick(app.TabPoint(0)));
    dialog = app.WaitForDialog(kNameDialog);
    ASSERT_TRUE(dialog);
    TypeText(L"Diary");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    ExpectTabsBecome(app, {L"Diary"});
    TypeText(L"second");
    EXPECT_TRUE(typedLands(L"second")) << "typed after renaming the page";
    ASSERT_TRUE(app.Close());
}

}  // namespace
}  // namespace tavrik::e2e
