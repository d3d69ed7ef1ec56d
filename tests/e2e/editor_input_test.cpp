// The formatting boxes typed into and the link menu opened with a real right click, as a user does,
// then what reached the page file and the clipboard.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

// English texts, no fades, and a window well inside the screen.
void WriteNotesPage(const ProgramFolder& folder) {
    WriteUtf16WithBom(folder.Ini(), L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nStartPage=0\r\n"
                                    L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n"
                                    L"[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    WriteBytes(folder.PageFile(L"Notes"), RtfPage("Page Notes"));
}

// WM_GETTEXT itself: GetWindowTextW gives only the caption Windows keeps for another process's window.
std::wstring TextOf(HWND hwnd) {
    wchar_t text[128] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &length);
    return text;
}

// The font name box and the font size box of the formatting bar: the name box is the wider.
struct FontBoxes {
    HWND name = nullptr;
    HWND size = nullptr;
};
BOOL CALLBACK AddComboBox(HWND hwnd, LPARAM boxes) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (lstrcmpiW(name, L"ComboBox") == 0 && IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(hwnd);
    return TRUE;
}

FontBoxes FindFontBoxes(HWND window) {
    std::vector<HWND> boxes;
    EnumChildWindows(window, AddComboBox, reinterpret_cast<LPARAM>(&boxes));
    if (boxes.size() != 2) {
        ADD_FAILURE() << boxes.size() << " font boxes shown, expected two";
        return {};
    }
    const auto width = [](HWND hwnd) {
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        return rc.right - rc.left;
    };
    if (width(boxes[0]) < width(boxes[1])) std::swap(boxes[0], boxes[1]);
    return {boxes[0], boxes[1]};
}

// A click into the box's text, all of it selected, so typing replaces it.
bool TypeOverBox(const TavrikProcess& app, HWND box) {
    const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    RECT rc{};
    GetWindowRect(edit ? edit : box, &rc);
    if (!Click({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}) || !app.WaitForFocusIn(box)) return false;
    PressKey(VK_END);
    PressChord(VK_SHIFT, VK_HOME);
    return true;
}

bool BoxReads(HWND box, std::wstring_view expected) {
    const bool reads = WaitFor([&] { return TextOf(box) == expected; }, 3000);
    EXPECT_EQ(TextOf(box), expected);
    return reads;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace

TEST(FontBoxes, TypedSizeAndNameReadAsTypedReachThePageAndEnterGivesTheKeyboardBack) {
    ProgramFolder folder;
    WriteNotesPage(folder);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    const HWND editor = app.FocusPage();
    ASSERT_TRUE(editor);
    PressChord(VK_CONTROL, 'A');  // the whole page takes what the boxes set
    const FontBoxes boxes = FindFontBoxes(app.Window());
    ASSERT_TRUE(boxes.size);

    ASSERT_TRUE(TypeOverBox(app, boxes.size));
    TypeText(L"1");
    ASSERT_TRUE(BoxReads(boxes.size, L"1"));
    TypeText(L"2");  // after the 1, where the caret is
    ASSERT_TRUE(BoxReads(boxes.size, L"12"));

    ASSERT_TRUE(TypeOverBox(app, boxes.name));
    TypeText(L"Tahoma");
    ASSERT_TRUE(BoxReads(boxes.name, L"Tahoma"));
    EXPECT_EQ(TextOf(boxes.size), L"12");
    PressKey(VK_RETURN);  // the choice is made: what is typed next goes into the page
    ASSERT_TRUE(app.WaitForFocusIn(editor));
    PressChord(VK_CONTROL, VK_END);
    TypeText(L" more");
    EXPECT_TRUE(WaitFor([&] { return app.ShownEditorText().find(L" more") != std::wstring::npos; }, 3000));
    ASSERT_TRUE(app.Close());

    const auto page = ReadBytes(folder.PageFile(L"Notes"));
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("Tahoma"), std::string::npos) << *page;
    EXPECT_NE(page->find("\\fs24"), std::string::npos) << "not in 12 pt: " << *page;
}

TEST(LinkMenu, RightClickOnALinkOffersCopyLinkWhichCopiesIt) {
    ProgramFolder folder;
    WriteNotesPage(folder);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    const HWND page = app.FocusPage();
    ASSERT_TRUE(page);
    PressChord(VK_CONTROL, VK_HOME);
    TypeText(L"http://example.com/x ");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();  // the page marks it as a link once a space ends it

    RECT rc{};
    GetWindowRect(page, &rc);
    ASSERT_TRUE(RightClick({rc.left + 20, rc.top + 10}));  // on the link at the start of the first line
    const HWND menu = app.WaitForMenu();
    ASSERT_TRUE(menu) << "a right click on a link opened no menu";
    PressKey(VK_DOWN);  // the first item: Copy link
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return ClipboardText() == L"http://example.com/x"; }, 3000));
    EXPECT_EQ(ClipboardText(), L"http://example.com/x");
    ASSERT_TRUE(app.Close());
}

}  // namespace tavrik::e2e
