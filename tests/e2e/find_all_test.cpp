// Find in all pages and Go to page by keyboard alone, in the running program.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

TEST(FindAllByKeyboard, TheMatchComesSelectedAndGoToPageFollowsTheFilter) {
    ProgramFolder folder;
    std::wstring ini = L"[Parameters]\r\nLanguage=0\r\nStartPage=0\r\nAutoSave=0\r\n"
                       L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n[Pages]\r\n";
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) {
        ini += std::wstring(name) + L"=16777215*Arial*0*10*0*0*1*\r\n";
        WriteBytes(folder.PageFile(name), RtfPage("Page " + Utf8(name) + " notes"));
    }
    WriteUtf16WithBom(folder.Ini(), ini);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());

    PressChord(VK_CONTROL, VK_SHIFT, 'F');
    HWND find = app.WaitForDialog(L"Find in All Pages");
    ASSERT_TRUE(find);
    TypeText(L"GAMMA");
    PressKey(VK_RETURN);  // before the pause is over: the search runs at once
    ASSERT_TRUE(WaitFor([&] { return app.CurrentTab() == 2; }));
    ASSERT_TRUE(app.WaitForFocusIn(app.Window()));
    TypeText(L"Delta");  // replaces the match, which is selected
    EXPECT_TRUE(WaitFor([&] { return app.ShownEditorText() == L"Page Delta notes"; }));

    // Esc closes the window it is typed in, not the program's.
    PressChord(VK_CONTROL, VK_SHIFT, 'F');
    find = app.WaitForDialog(L"Find in All Pages");
    ASSERT_TRUE(find);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(find); }));
    EXPECT_TRUE(IsWindowVisible(app.Window()));

    PressChord(VK_CONTROL, 'G');
    ASSERT_TRUE(app.WaitForDialog(L"Go to Page"));
    TypeText(L"ALP");
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return app.CurrentTab() == 0; }));
    EXPECT_EQ(app.FailOnMessageBoxes("after the searches"), 0u);
    ASSERT_TRUE(app.Close());
    EXPECT_NE(ReadBytes(folder.PageFile(L"Gamma"))->find("Page Delta notes"), std::string::npos);
}

}  // namespace
}  // namespace tavrik::e2e
