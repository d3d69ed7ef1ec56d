// Every page between rich and plain text: loaded or never read, unreadable, on a full disk.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "editor/text_mode.h"
#include "test_folder.h"

#include <richedit.h>

using namespace tavrik;
using test::ReadBytes;
using test::WriteBytes;

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Pages as the rich-edit control writes them; the Cyrillic, the arrow and the Chinese are escapes.
constexpr std::string_view kShown =  // "Жук" in bold, then " beetle"
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\b\\u1046?\\u1091?\\u1082?\\b0  beetle}";
constexpr std::string_view kFar =  // "€→ж 中文": only the euro is in Windows-1252
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\i\\u8364?\\u8594?\\u1078?\\i0  \\u20013?\\u25991?}";
constexpr std::string_view kLiteral =  // a page whose text starts like rich text
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard \\{\\\\rtf1 literal}";
constexpr std::string_view kQuoted =  // and one whose text is a whole rich-text document
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard \\{\\\\rtf1\\\\b quoted\\}}";

class PageConvert : public test::FormTest {
protected:
    void Ini(const test::IniBuilder& ini) { f.WriteIni(ini); }
    void Start() { ASSERT_TRUE(f.Start()); }
    std::string File(const wchar_t* name) { return ReadBytes(f.PageFile(name)); }
    static bool IsRtf(const std::string& bytes) { return bytes.rfind("{\\rtf", 0) == 0; }
    // "Жук beetle" as a plain page holds it: in Windows-1251 where that is the ANSI code page,
    // else in UTF-8 with its mark.
    static std::string Beetle(std::string_view before) {
        if (GetACP() == 1251) return std::string(before) + "\xC6\xF3\xEA beetle";
        return std::string(kUtf8Bom) + std::string(before) + "\xD0\x96\xD1\x83\xD0\xBA beetle";
    }
    static std::string Narrow(const std::vector<std::wstring>& texts) {
        std::string out;
        for (const auto& t : texts) out += std::string(t.begin(), t.end()) + "\n";
        return out;
    }
    void TearDown() override { EXPECT_TRUE(log.texts.empty()) << "unexpected message: " << Narrow(log.texts); }
};

}  // namespace

TEST_F(PageConvert, RoundTripKeepsEveryPagesTextLoadedOrNot) {
    Ini(test::IniBuilder().Parameter("DefaultRichEditColor", 15790320).Page("Shown", "255*Arial*0*10*0*0*1*")
        .Page("Far", "255*Arial*0*10*0*0*1*").Page("Literal", "255*").Page("Quoted", "255*").Page("Never", "255*")
        .Page("Blank", "255*"));
    WriteBytes(f.PageFile(L"Shown"), kShown);
    WriteBytes(f.PageFile(L"Far"), kFar);
    WriteBytes(f.PageFile(L"Literal"), kLiteral);
    WriteBytes(f.PageFile(L"Quoted"), kQuoted);
    Start();
    ASSERT_EQ(Text(0), L"\u0416\u0443\u043A beetle");
    SendMessageW(Form().Editor(0), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"typed "));  // not saved
    ASSERT_NE(Form().Editor(5), nullptr);  // a page made but never saved, still empty

    ASSERT_TRUE(Form().ConvertPages(true, nullptr));
    EXPECT_TRUE(Form().params.Plain);
    EXPECT_EQ(File(L"Shown"), Beetle("typed "));
    EXPECT_EQ(File(L"Far"), std::string(kUtf8Bom) + "\xE2\x82\xAC\xE2\x86\x92\xD0\xB6 \xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(File(L"Literal"), "{\\rtf1 literal");
    EXPECT_EQ(File(L"Quoted"), std::string(kUtf8Bom) + "{\\rtf1\\b quoted}") << "marked, so it reads as text";
    EXPECT_FALSE(test::Exists(f.PageFile(L"Never")));
    EXPECT_FALSE(test::Exists(f.PageFile(L"Blank")));
    for (int i = 0; i < Form().PageCount(); ++i) EXPECT_EQ(Form().Page(i).entry.color, 15790320) << i;

    const HWND shown = Form().Editor(0);
    EXPECT_TRUE(editor::IsPlainText(shown));
    EXPECT_EQ(Text(0), L"typed \u0416\u0443\u043A beetle");
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(shown, EM_SETSEL, 7, 8);
    SendMessageW(shown, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_FALSE(cf.dwEffects & CFE_BOLD) << "formatting is gone in plain text";
    EXPECT_FALSE(Form().Page(1).loaded) << "converted without an editor of its own";
    EXPECT_EQ(Text(1), L"\u20AC\u2192\u0436 \u4E2D\u6587");
    EXPECT_TRUE(editor::IsPlainText(Form().Editor(1)));
    EXPECT_EQ(SendMessageW(Form().Editor(1), EM_SETBKGNDCOLOR, 0, 0), 15790320) << "the default background";

    ASSERT_TRUE(Form().ConvertPages(false, nullptr));
    EXPECT_FALSE(Form().params.Plain);
    for (const wchar_t* name : {L"Shown", L"Far", L"Literal", L"Quoted"}) EXPECT_TRUE(IsRtf(File(name)));
    EXPECT_FALSE(test::Exists(f.PageFile(L"Never")));
    EXPECT_EQ(Text(0), L"typed \u0416\u0443\u043A beetle");
    EXPECT_FALSE(editor::IsPlainText(Form().Editor(0)));
    EXPECT_FALSE(Form().Page(2).loaded);
    EXPECT_EQ(Text(1), L"\u20AC\u2192\u0436 \u4E2D\u6587");
    EXPECT_EQ(Text(2), L"{\\rtf1 literal") << "read for the first time, in rich mode";
    EXPECT_EQ(Text(3), L"{\\rtf1\\b quoted}");
    EXPECT_FALSE(editor::IsPlainText(Form().Editor(3)));
}

// A locked file is neither read nor written; named once, it is read later in the new mode as text.
TEST_F(PageConvert, UnreadablePageIsLeftAsItWasAndNamedOnce) {
    Ini(test::IniBuilder().Page("Locked").Page("Fine"));
    WriteBytes(f.PageFile(L"Locked"), kShown);
    WriteBytes(f.PageFile(L"Fine"), kFar);
    {
        app::UniqueFile lock(
            CreateFileW(f.PageFile(L"Locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        Start();
        EXPECT_FALSE(Form().ConvertPages(true, nullptr));
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_NE(log.texts[0].find(L"Locked: "), std::wstring::npos) << Narrow(log.texts);
        EXPECT_EQ(log.texts[0].find(L"Fine"), std::wstring::npos);
        log.texts.clear();
        EXPECT_TRUE(Form().params.Plain) << "the pages converted are plain";
    }
    EXPECT_EQ(File(L"Locked"), kShown);
    EXPECT_EQ(File(L"Fine"), std::string(kUtf8Bom) + "\xE2\x82\xAC\xE2\x86\x92\xD0\xB6 \xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(Text(0), L"\u0416\u0443\u043A beetle") << "its text, not its markup";
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(File(L"Locked"), Beetle(""));
}

// Text typed in a plain page that reads like rich text is kept as text, also by a later start.
TEST_F(PageConvert, PlainTextThatReadsLikeRichTextStaysText) {
    Ini(test::IniBuilder().Parameter("Plain", 1).Page("A", "16777215*"));
    Start();
    editor::SetPlainText(Form().Editor(0), L"{\\rtf1\\ansi typed by hand}");
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(File(L"A"), std::string(kUtf8Bom) + "{\\rtf1\\ansi typed by hand}");
    f.Close();
    Start();
    EXPECT_EQ(Text(0), L"{\\rtf1\\ansi typed by hand}");
}

TEST_F(PageConvert, FullDiskLeavesThePageWhole) {
    wchar_t volume[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TAVRIK_SMALL_VOLUME", volume, MAX_PATH) ||
        !test::Exists(std::wstring(volume) + L"mounted"))
        GTEST_SKIP() << "no small volume: CTest mounts one when the tests run as root";
    const std::wstring folder = std::wstring(volume) + L"convert\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    // 300 KB of plain text, and a filler that leaves less than that free on the 1 MB volume.
    std::string page;
    while (page.size() < size_t{300} * 1024) page += "line of a long page\r\n";
    const std::wstring pagePath = folder + L"Big.tvk", filler = folder + L"filler";
    WriteBytes(pagePath, page);
    WriteBytes(filler, std::string(size_t{550} * 1024, 'x'));
    Ini(test::IniBuilder().Parameter("Plain", 1).Parameter("SaveTo", folder).Page("Big", "1*"));
    Start();
    EXPECT_FALSE(Form().ConvertPages(false, nullptr));
    const std::string after = ReadBytes(pagePath);
    DeleteFileW(filler.c_str());
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Big: "), std::wstring::npos);
    log.texts.clear();
    EXPECT_TRUE(after == page) << "the old file is whole";
    DeleteFileW(pagePath.c_str());
    RemoveDirectoryW(folder.c_str());
}
