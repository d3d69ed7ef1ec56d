// The page text reader against the rich-edit control: the same page file gives the same text.
#include <gtest/gtest.h>

#include "app/text.h"
#include "editor/page_editor.h"
#include "search/text_reader.h"
#include "test_folder.h"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tavrik;

namespace {

// A 1 x 1 device-independent bitmap, the picture format the control reads on Windows and Wine.
constexpr std::string_view kPixel =
    "{\\pict\\dibitmap0\\picw26\\pich26\\picwgoal15\\pichgoal15 "
    "28000000010000000100000001001800000000000400000000000000000000000000000000000000"
    "0000ff00}";

// Where Wine's control parts from Windows': it holds a blank for a line break and for a picture or
// an object, and drops optional hyphens, field results and the delimiters of table cells. The
// reader follows Windows; under Wine those pages are compared with the blanks put in, or not at all.
enum class OnWine { Same, Blanks, WindowsOnly };

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

class PageTextReaderAgainstControl : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND Editor(bool plainMode) {
        editor::EditorSetup setup;
        setup.plainText = plainMode;
        HWND editor = editor::CreatePageEditor(parent_, 100, setup);
        SetWindowPos(editor, nullptr, 0, 0, 400, 300, SWP_NOZORDER);  // a real size, as a page has
        return editor;
    }

    // The control's text as it counts it: one "\r" for each paragraph.
    static std::u16string ControlText(HWND editor) {
        GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
        const auto count = SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
        std::u16string text(static_cast<std::size_t>(count) + 1, u'\0');
        GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(char16_t)), GT_DEFAULT, 1200, nullptr, nullptr};
        text.resize(static_cast<std::size_t>(
            SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    static std::string Units(std::u16string_view text) {
        std::string out;
        char unit[8];
        for (const char16_t c : text) {
            if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
            else { wsprintfA(unit, "<%04X>", c); out += unit; }
        }
        return out;
    }

    void ExpectSame(std::string_view name, std::string_view bytes, bool plainMode, OnWine onWine = OnWine::Same) {
        if (onWine == OnWine::WindowsOnly && UnderWine()) return;
        HWND editor = Editor(plainMode);
        ASSERT_NE(editor, nullptr);
        editor::LoadPageBytes(editor, bytes, plainMode);
        const std::u16string control = ControlText(editor);
        std::u16string reader = search::ReadPageText(bytes, plainMode, static_cast<int>(GetACP()));
        if (onWine == OnWine::Blanks && UnderWine())
            std::replace_if(reader.begin(), reader.end(), [](char16_t c) { return c == 0x0B || c == 0xFFFC; }, u' ');
        EXPECT_EQ(Units(reader), Units(control)) << name << "\nstreamed out: " << Units(app::ToU16(editor::GetText(editor)));
        DestroyWindow(editor);
    }

    HWND parent_ = nullptr;
    test::TempFolder folder_;
};

TEST_F(PageTextReaderAgainstControl, PagesTheControlWrote) {
    // Typed text in several scripts and formats, written by the control as a page is saved.
    HWND source = Editor(false);
    ASSERT_NE(source, nullptr);
    editor::SetPlainText(source, L"Привет, мир\r\nZażółć gęślą jaźń € 😀\tend\r\nΕλληνικά Türkçe\r\n\r\nlast");
    CHARRANGE bold{0, 6};
    SendMessageW(source, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&bold));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_BOLD | CFM_COLOR | CFM_SIZE | CFM_FACE | CFM_CHARSET;
    cf.dwEffects = CFE_BOLD;
    cf.crTextColor = RGB(200, 0, 0);
    cf.yHeight = 320;
    cf.bCharSet = RUSSIAN_CHARSET;
    lstrcpyW(cf.szFaceName, L"Tahoma");
    SendMessageW(source, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    for (const bool plainMode : {false, true}) {
        const std::wstring path = folder_.Path() + (plainMode ? L"plain.tvk" : L"rich.tvk");
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const bool written = editor::WritePage(source, file, plainMode);
        CloseHandle(file);
        ASSERT_TRUE(written);
        ExpectSame(plainMode ? "plain page" : "rich page", test::ReadBytes(path), plainMode);
    }
    DestroyWindow(source);
}

TEST_F(PageTextReaderAgainstControl, RichTextFromElsewhere) {
    struct Page {
        std::string_view name;
        std::string bytes;
        OnWine onWine = OnWine::Same;
    };
    const std::vector<Page> pages = {
        // "Привет, мир" in Windows-1251 under a Cyrillic font.
        {"cyrillic", "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}\\f0 "
                     "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'ec\\'e8\\'f0\\par second\\par}"},
        // "Жук" in a Cyrillic font under a Western document code page, then "Æ" in a Western font.
        {"font charset", "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset0 Arial;}}"
                         "\\f0 \\'c6\\'f3\\'ea \\f1 \\'c6}"},
        // The same without \f: the default font's charset rules.
        {"default font", "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}\\'c6\\'f3\\'ea}"},
        {"unicode", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 \\u1046?\\uc2\\u1091??{\\uc0\\u1082}\\uc1 x\\u-10179?\\u-8704?}"},
        {"specials", "{\\rtf1\\ansi a\\tab b\\~c\\_d\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet "
                     "\\{\\}\\\\ e\\par}"},
        {"line", "{\\rtf1\\ansi one\\line two}", OnWine::Blanks},
        {"optional hyphen", "{\\rtf1\\ansi hy\\-phen}", OnWine::WindowsOnly},
        {"destinations", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\generator G;}{\\*\\unknown u}"
                         "{\\header head}text\\par}"},
        {"field", "{\\rtf1\\ansi see {\\field{\\*\\fldinst {HYPERLINK \"https://example.org\"}}{\\fldrslt here}} now}",
         OnWine::WindowsOnly},
        {"picture", "{\\rtf1\\ansi a" + std::string(kPixel) + "b\\par}", OnWine::Blanks},
        {"two pictures of one", "{\\rtf1\\ansi a{\\*\\shppict" + std::string(kPixel) +
                                    "}{\\nonshppict" + std::string(kPixel) + "}b}", OnWine::Blanks},
        {"object", "{\\rtf1\\ansi a{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}{\\result" +
                       std::string(kPixel) + "}}b}", OnWine::Blanks},
        {"table", "{\\rtf1\\ansi\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row after\\par}", OnWine::WindowsOnly},
        {"sections", "{\\rtf1\\ansi one\\sect two\\page three}"},
        // A font that names no charset: the document's code page ("Жук"). Wine's control takes 1252.
        {"no charset", "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'c6\\'f3\\'ea}", OnWine::WindowsOnly},
        // As an office suite's converter writes it: "Привет, world", then "second line".
        {"office converter",
         "{\\rtf1\\ansi\\deff4\\adeflang1025\r\n{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}"
         "{\\f4\\fswiss\\fprq2\\fcharset204 Liberation Sans{\\*\\falt Arial};}}\r\n"
         "{\\colortbl;\\red0\\green0\\blue0;\\red128\\green128\\blue128;}\r\n"
         "{\\stylesheet{\\s0\\snext0\\hich\\af4\\dbch\\af4\\loch\\f4\\fs24\\lang1049 Normal;}}"
         "{\\*\\generator Office/7.4}{\\info{\\creatim\\yr2026\\mo12\\dy9\\hr10\\min0}}"
         "{\\*\\userprops{\\propname AppVersion}\\proptype30{\\staticval 16.0000}}\\deftab709\r\n"
         "{\\*\\pgdsctbl\r\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838 Default Page Style;}}\r\n"
         "\\paperh16838\\paperw11906\\margl1134\\sectd\\sbknone\\sectunlocked1{\\*\\ftnsep\\chftnsep}\\pgndec"
         "\\pard\\plain \\s0\\hich\\af4\\dbch\\af4\\loch\\f4\\fs24\\lang1049{\\rtlch \\ltrch\\loch\r\n"
         "\\u1055\\'3f\\u1088\\'3f\\u1080\\'3f\\u1074\\'3f\\u1077\\'3f\\u1090\\'3f, }{\\b\\rtlch \\ltrch\\loch\r\n"
         "world}\r\n\\par \\pard\\plain \\s0\\loch\\f4\\fs24 second line\\par }"},
        {"cut short", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 whole\\par cut {\\b bold"},
        {"after the end", "{\\rtf1\\ansi inside}outside"},
    };
    for (const Page& page : pages) ExpectSame(page.name, page.bytes, false, page.onWine);
}

TEST_F(PageTextReaderAgainstControl, PlainPages) {
    ExpectSame("utf-8 marked", "\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\r\nsecond\r\n", true);
    ExpectSame("utf-8", "\xD0\x96\xD1\x83\xD0\xBA\nsecond\rthird", true);
    ExpectSame("ansi", "plain \xC6\r\n\r\nend", true);
    ExpectSame("quoted rich text", "{\\rtf1 not whole", true);
    ExpectSame("whole rich text", "{\\rtf1\\ansi\\b x\\b0\\par y}", true);
}

}  // namespace
