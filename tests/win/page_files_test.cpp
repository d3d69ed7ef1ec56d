// The page model of the main window: page list, page files, change of page.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "test_folder.h"

#include <commctrl.h>
#include <richedit.h>

using namespace tavrik;
using test::ReadBytes;
using test::WriteBytes;

namespace {

// A small formatted page as an earlier version wrote it.
constexpr std::string_view kRichPage =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\b Bold\\b0  and plain\\par second line\\par}";

// The forms here speak Russian, the language of a tavrik.ini that names none.
const std::wstring kCannotOpen = L"Не удаётся открыть файл ", kCannotCreate = L"Не удаётся создать файл ";

class PageFiles : public test::FormTest {
protected:
    void Ini(const test::IniBuilder& ini) { f.WriteIni(ini); }
    void Start() { ASSERT_TRUE(f.Start()); }
    // What a click on tab k does: the strip asks, changes, tells.
    void ClickTab(int k) {
        const HWND tab = Form().TabControl();
        NMHDR header{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGING)};
        ASSERT_EQ(SendMessageW(Form().Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)), FALSE);
        SendMessageW(tab, TCM_SETCURSEL, k, 0);
        header.code = static_cast<UINT>(TCN_SELCHANGE);
        SendMessageW(Form().Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    void TearDown() override { EXPECT_TRUE(log.texts.empty()) << "unexpected message: " << Narrow(log.texts); }
    static std::string Narrow(const std::vector<std::wstring>& texts) {
        std::string out;
        for (const auto& t : texts) out += std::string(t.begin(), t.end()) + "\n";
        return out;
    }
};

}  // namespace

TEST_F(PageFiles, FirstRunMakesTheDefaultPage) {
    Start();
    EXPECT_EQ(PageNames(), std::vector<std::wstring>{L"Tavrikdesk"});
    EXPECT_EQ(Form().CurrentPageName(), L"Tavrikdesk");
    EXPECT_NE(test::ReadIniText(f.Ini()).find(L"[Pages]\r\nTavrikdesk=16777215*MS Sans Serif*0*10*0*0*1*"),
              std::wstring::npos);
    EXPECT_TRUE(Form().Page(0).entry.wordWrap);
    EXPECT_EQ(Text(0), L"");
    EXPECT_FALSE(IsWindowVisible(Form().Handle()));
    EXPECT_FALSE(test::Exists(f.PageFile(L"Tavrikdesk"))) << "no page file is written at start";
}

TEST_F(PageFiles, TabsFollowTheListOrderAndStartPage) {
    for (const char* start : {"5", "-1", "x"}) {
        Ini(test::IniBuilder().Parameter("StartPage", std::string_view(start)).Page("C", "1*").Page("A", "2*")
            .Page("B", "3*"));
        Start();
        EXPECT_EQ(PageNames(), (std::vector<std::wstring>{L"C", L"A", L"B"}));
        EXPECT_EQ(Form().TabIndex(), 0) << "StartPage=" << start;
        f.Close();
    }
    Ini(test::IniBuilder().Parameter("StartPage", 2).Page("C", "1*").Page("A", "2*").Page("B", "3*"));
    Start();
    EXPECT_EQ(Form().TabIndex(), 2);
    EXPECT_EQ(Form().CurrentPageName(), L"B");
    EXPECT_EQ(Form().Page(2).editor, nullptr) << "read when the window first comes up";
    Form().FormShow();
    EXPECT_TRUE(GetWindowLongPtrW(Form().Page(2).editor, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(PageFiles, EntriesSetUpTheirPages) {
    Ini(test::IniBuilder().Parameter("DefaultFontName", "Tahoma").Parameter("DefaultRichEditColor", 65280)
        .Page("Short", "255*").Page("Full", "123*Arial*255*14*3*5*1*").Page("Damaged", "red*Arial*x*y*z*far*on*"));
    WriteBytes(f.PageFile(L"Full"), "0123456789");
    Start();
    const pages::PageEntry shortEntry = Form().Page(0).entry;
    EXPECT_EQ(shortEntry.color, 255);
    EXPECT_EQ(shortEntry.fontName, u"Tahoma");
    EXPECT_FALSE(shortEntry.wordWrap);
    const pages::PageEntry damaged = Form().Page(2).entry;
    EXPECT_EQ(damaged.color, 65280);
    EXPECT_EQ(damaged.fontSize, 10);
    EXPECT_EQ(damaged.caret, 0);
    ASSERT_NE(Form().Editor(1), nullptr);
    EXPECT_EQ(editor::GetCaret(Form().Editor(1)), 5);
    EXPECT_TRUE(Form().Page(1).entry.wordWrap);
}

TEST_F(PageFiles, UnsafeNamesAreLeftOut) {
    Ini(test::IniBuilder().Page("..\\..\\outside", "1*").Page("CON", "1*").Page("sub/dir", "1*").Page("lpt1.txt", "1*")
        .Page("Good", "1*"));
    Start();
    EXPECT_EQ(PageNames(), std::vector<std::wstring>{L"Good"});
    ASSERT_NE(Form().Editor(0), nullptr);
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_TRUE(test::Exists(f.PageFile(L"Good")));
    EXPECT_EQ(test::ReadIniText(f.Ini()).find(L"outside"), std::wstring::npos);
}

TEST_F(PageFiles, OnlyUnsafeNamesGiveTheDefaultPage) {
    Ini(test::IniBuilder().Page("NUL", "1*"));
    Start();
    EXPECT_EQ(PageNames(), std::vector<std::wstring>{L"Tavrikdesk"});
}

TEST_F(PageFiles, FilesWithoutExtensionAreTakenOver) {
    Ini(test::IniBuilder().Page("Notes").Page("Both"));
    WriteBytes(f.folder.Path() + L"Notes", "old notes");
    WriteBytes(f.folder.Path() + L"Both", "extension-less");
    WriteBytes(f.PageFile(L"Both"), "with extension");
    Start();
    EXPECT_EQ(Text(0), L"old notes");
    EXPECT_FALSE(test::Exists(f.folder.Path() + L"Notes"));
    EXPECT_TRUE(test::Exists(f.PageFile(L"Notes")));
    EXPECT_EQ(Text(1), L"with extension");
    EXPECT_EQ(ReadBytes(f.folder.Path() + L"Both"), "extension-less");
}

TEST_F(PageFiles, RichPagesRoundTrip) {
    Ini(test::IniBuilder().Page("A"));
    WriteBytes(f.PageFile(L"A"), kRichPage);
    Start();
    EXPECT_EQ(Text(0), L"Bold and plain\r\nsecond line");
    Type(0, L" \u0416\u0443\u043A");  // Жук
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(ReadBytes(f.PageFile(L"A")).substr(0, 5), "{\\rtf");
    f.Close();
    Start();
    EXPECT_NE(Text(0).find(L"\u0416\u0443\u043A"), std::wstring::npos);
    // The bold run is still bold.
    editor::SetCaret(Form().Editor(0), 1);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(Form().Editor(0), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
}

TEST_F(PageFiles, FilesThatAreNotRichTextAreShownAsText) {
    Ini(test::IniBuilder().Page("A").Page("B"));
    WriteBytes(f.PageFile(L"A"), "just words {\\b not markup}");
    WriteBytes(f.PageFile(L"B"), "\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA");  // Жук in UTF-8
    Start();
    EXPECT_EQ(Text(0), L"just words {\\b not markup}");
    EXPECT_EQ(Text(1), L"\u0416\u0443\u043A");
}

TEST_F(PageFiles, PlainPagesKeepEveryCharacter) {
    Ini(test::IniBuilder().Parameter("Plain", 1).Page("Ascii").Page("Mixed"));
    WriteBytes(f.PageFile(L"Ascii"), "{\\rtf1 shown as it is}");
    Start();
    EXPECT_EQ(Text(0), L"{\\rtf1 shown as it is}");
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(ReadBytes(f.PageFile(L"Ascii")), "{\\rtf1 shown as it is}");  // no mark on plain ANSI text
    SendMessageW(Form().Editor(1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"\u0416\u0443\u043A \u4E2D \u20AC\r\nline"));  // Жук 中 €
    ASSERT_TRUE(Form().SavePage(1));
    f.Close();
    Start();
    EXPECT_EQ(Text(1), L"\u0416\u0443\u043A \u4E2D \u20AC\r\nline");
}

TEST_F(PageFiles, ClickingATabSavesThePageLeft) {
    Ini(test::IniBuilder().Page("A").Page("B"));
    Start();
    Form().FormShow();  // tabs are clicked in a window that is up
    ClickTab(1);
    EXPECT_TRUE(test::Exists(f.PageFile(L"A"))) << "the page left is written even when unchanged";
    EXPECT_EQ(Form().CurrentPageName(), L"B");
    EXPECT_EQ(Form().Pages().Previous(), 0);
    EXPECT_TRUE(GetWindowLongPtrW(Form().Page(1).editor, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrW(Form().Page(0).editor, GWL_STYLE) & WS_VISIBLE);
    Type(1, L"typed on B");
    Form().SwitchToPage(0);
    EXPECT_NE(ReadBytes(f.PageFile(L"B")).find("typed on B"), std::string::npos);
    EXPECT_EQ(Form().TabIndex(), 0);
    EXPECT_EQ(Form().CurrentPageName(), L"A");
}

TEST_F(PageFiles, PagesNeverNeededKeepTheirFilesAndEntries) {
    Ini(test::IniBuilder().Parameter("StartPage", 1).Page("A", "255*Arial*0*12*1*3*0*").Page("B")
        .Page("C", "99*Tahoma*5*9*2*4*1*"));
    WriteBytes(f.PageFile(L"A"), "not even rich text, and untouched");
    Start();
    EXPECT_EQ(Form().Page(0).editor, nullptr);
    ASSERT_TRUE(Form().SavePage(-1));
    ASSERT_TRUE(Form().WritePageList());
    EXPECT_EQ(ReadBytes(f.PageFile(L"A")), "not even rich text, and untouched");
    EXPECT_FALSE(test::Exists(f.PageFile(L"C")));
    EXPECT_FALSE(test::Exists(f.PageFile(L"B"))) << "not even the start page until it was needed";
    const std::wstring ini = test::ReadIniText(f.Ini());
    EXPECT_NE(ini.find(L"A=255*Arial*0*12*1*3*0*\r\nB=16777215*Arial*0*10*0*0*1*\r\nC=99*Tahoma*5*9*2*4*1*"),
              std::wstring::npos);
    EXPECT_NE(ini.find(L"StartPage=1"), std::wstring::npos);
}

TEST_F(PageFiles, WritePageListRecordsCaretAndOrder) {
    Ini(test::IniBuilder().Page("A").Page("B", "16777215*Arial*0*10*0*0*0*"));
    Start();
    Type(0, L"hello world");
    editor::SetCaret(Form().Editor(0), 6);
    Form().SwitchToPage(1);
    ASSERT_TRUE(Form().FinishAll());
    f.Close();
    Start();
    EXPECT_EQ(Form().TabIndex(), 1);
    EXPECT_FALSE(Form().Page(1).entry.wordWrap);
    EXPECT_EQ(editor::GetCaret(Form().Editor(0)), 6);
    EXPECT_EQ(Text(0), L"hello world");
}

TEST_F(PageFiles, SaveFolderGoneAfterReadingFailsTheSaveWithTheReason) {
    const std::wstring pages = f.folder.Path() + L"pages";
    ASSERT_TRUE(CreateDirectoryW(pages.c_str(), nullptr));
    Ini(test::IniBuilder().Parameter("Language", 0).Parameter("SaveTo", pages));
    Start();
    Type(0, L"kept in memory");
    ASSERT_TRUE(RemoveDirectoryW(pages.c_str()));
    EXPECT_FALSE(Form().SavePage(0));
    ASSERT_EQ(log.texts.size(), 1u);
    const std::wstring expected = L"Cannot create file \"" + pages + L"\\Tavrikdesk.tvk\". ";
    EXPECT_EQ(log.texts[0].rfind(expected, 0), 0u) << Narrow(log.texts);
    EXPECT_GT(log.texts[0].size(), expected.size()) << "the system's reason follows";
    EXPECT_TRUE(log.texts[0].ends_with(L"\r\nThe file on disk is as it was.")) << Narrow(log.texts);
    EXPECT_FALSE(Form().FinishAll());  // the program stays up with the text
    EXPECT_EQ(Text(0), L"kept in memory");
    log.texts.clear();
}

// A pulled stick or a share not yet connected is no empty page: the page waits, read-only and
// saying why, and is read as soon as it is needed again with its folder back.
TEST_F(PageFiles, PageWhoseFolderIsAwayStaysUnreadUntilItIsBack) {
    const std::wstring stick = f.folder.Path() + L"stick";
    const std::wstring away = f.folder.Path() + L"away";
    ASSERT_TRUE(CreateDirectoryW(stick.c_str(), nullptr));
    WriteBytes(stick + L"\\Notes.tvk", "cannot lose this");
    Ini(test::IniBuilder().Parameter("SaveTo", stick).Page("Notes", "16777215*Arial*0*10*0*3*1*"));
    Start();
    ASSERT_TRUE(MoveFileW(stick.c_str(), away.c_str()));
    // The box comes over the window that came up, with the reason already in the page.
    bool windowUp = false;
    std::wstring pageWhileTold;
    log.whileOpen = [&] {
        windowUp = IsWindowVisible(Form().Handle()) != FALSE;
        pageWhileTold = editor::GetText(Form().Page(0).editor);
    };
    Form().ShowMenuClick();
    EXPECT_TRUE(log.texts.empty()) << "not before the window is up";
    test::DispatchPosted();  // the message waited for the window
    log.whileOpen = nullptr;
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0].rfind(kCannotOpen + L"\"" + stick + L"\\Notes.tvk\". ", 0), 0u) << Narrow(log.texts);
    EXPECT_TRUE(windowUp);
    EXPECT_NE(pageWhileTold.find(L"Notes.tvk"), std::wstring::npos);
    log.texts.clear();
    const HWND editor = Form().Page(0).editor;
    EXPECT_TRUE(Form().Page(0).unreadable);
    EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY);
    const std::wstring notice = editor::GetText(editor);
    EXPECT_NE(notice.find(L"Notes.tvk"), std::wstring::npos) << "the reason stays in view";
    SendMessageW(editor, WM_CHAR, L'x', 0);
    EXPECT_EQ(editor::GetText(editor), notice) << "nothing can be typed into it";
    Form().FormHide();
    EXPECT_TRUE(Form().FinishAll()) << "nothing of the page is written, so nothing fails";
    EXPECT_NE(test::ReadIniText(f.Ini()).find(L"Notes=16777215*Arial*0*10*0*3*1*"), std::wstring::npos);

    ASSERT_TRUE(MoveFileW(away.c_str(), stick.c_str()));
    EXPECT_EQ(ReadBytes(stick + L"\\Notes.tvk"), "cannot lose this");
    Form().FormShow();
    EXPECT_FALSE(Form().Page(0).unreadable);
    EXPECT_FALSE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(Text(0), L"cannot lose this");
    EXPECT_EQ(editor::GetCaret(editor), 3);
    Type(0, L"and more ");
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_EQ(ReadBytes(stick + L"\\Notes.tvk").find("canand more not lose this") != std::string::npos, true);
    EXPECT_TRUE(log.texts.empty()) << "no message when it could be read";
}

TEST_F(PageFiles, LockedFileOrFolderInThePagesPlaceIsNeverOverwritten) {
    Ini(test::IniBuilder().Page("Locked").Page("Dir"));
    WriteBytes(f.PageFile(L"Locked"), "precious");
    ASSERT_TRUE(CreateDirectoryW(f.PageFile(L"Dir").c_str(), nullptr));
    {
        app::UniqueFile lock(CreateFileW(f.PageFile(L"Locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                         nullptr));
        ASSERT_TRUE(lock);
        Start();
        Form().ShowMenuClick();
        ASSERT_NE(Form().Editor(1), nullptr);
        test::DispatchPosted();  // the message waited for the window
        ASSERT_EQ(log.texts.size(), 1u) << "one box for both";
        EXPECT_EQ(log.texts[0].rfind(kCannotOpen + L"\"" + f.PageFile(L"Locked") + L"\". ", 0), 0u);
        EXPECT_NE(log.texts[0].find(L"\r\n" + kCannotOpen + L"\"" + f.PageFile(L"Dir") + L"\". "), std::wstring::npos);
        log.texts.clear();
        for (int i : {0, 1}) {
            EXPECT_TRUE(Form().Page(i).unreadable);
            EXPECT_TRUE(GetWindowLongW(Form().Page(i).editor, GWL_STYLE) & ES_READONLY);
        }
        EXPECT_TRUE(Form().SavePage(-1));
        EXPECT_TRUE(log.texts.empty()) << "told once only";
    }
    EXPECT_EQ(ReadBytes(f.PageFile(L"Locked")), "precious");
    EXPECT_EQ(Text(0), L"precious") << "read again when needed, once the lock is gone";
    EXPECT_TRUE(Form().Page(1).unreadable);
    EXPECT_TRUE(log.texts.empty());
}

// Windows ignores letter case in every script: the second of such names would share the first's file.
TEST_F(PageFiles, NamesDifferingOnlyInLetterCaseKeepOnePage) {
    const std::wstring ini = L"\xFEFF[Pages]\r\nNotes=1*\r\nNOTES=2*\r\n\u00C9mile=3*\r\n\u00E9MILE=4*\r\n"
                             L"\u0391\u03BB\u03C6\u03B1=5*\r\n\u0391\u039B\u03A6\u0391=6*\r\n"
                             L"\u0562\u0561\u057C=7*\r\n\u0532\u0531\u054C=8*\r\nOther=9*\r\n";
    WriteBytes(f.Ini(), std::string_view(reinterpret_cast<const char*>(ini.data()), ini.size() * 2));
    WriteBytes(f.PageFile(L"Notes"), "the first page's text");
    Start();
    EXPECT_EQ(PageNames(), (std::vector<std::wstring>{L"Notes", L"\u00C9mile", L"\u0391\u03BB\u03C6\u03B1",
                                                   L"\u0562\u0561\u057C", L"Other"}));
    EXPECT_EQ(Form().Page(0).entry.color, 1);
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_EQ(ReadBytes(f.PageFile(L"Notes")), "the first page's text");
    EXPECT_EQ(test::ReadIniText(f.Ini()).find(L"NOTES"), std::wstring::npos) << "the page list lists each file once";
}

TEST_F(PageFiles, SavingAllWritesEveryPageItCanAndNamesTheOthersOnce) {
    Ini(test::IniBuilder().Page("ok", "1*").Page("dir", "2*").Page("dir2", "3*").Page("after", "4*"));
    Start();
    for (int i = 0; i < 4; ++i) ASSERT_NE(Form().Editor(i), nullptr);
    // Something took two pages' places after they were read.
    ASSERT_TRUE(CreateDirectoryW(f.PageFile(L"dir").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(f.PageFile(L"dir2").c_str(), nullptr));
    Type(0, L"first");
    Type(3, L"typed into after");
    EXPECT_FALSE(Form().FinishAll());
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0].rfind(kCannotCreate + L"\"" + f.PageFile(L"dir") + L"\". ", 0), 0u) << Narrow(log.texts);
    EXPECT_NE(log.texts[0].find(L"\r\n" + kCannotCreate + L"\"" + f.PageFile(L"dir2") + L"\". "), std::wstring::npos);
    log.texts.clear();
    EXPECT_NE(ReadBytes(f.PageFile(L"ok")).find("first"), std::string::npos);
    EXPECT_NE(ReadBytes(f.PageFile(L"after")).find("typed into after"), std::string::npos);
}

TEST_F(PageFiles, PlainUtf8WithoutMarkIsReadAsUtf8AndSavedSo) {
    Ini(test::IniBuilder().Parameter("Plain", 1).Page("Synced"));
    // "Съешь же ещё" as another editor or a sync tool writes it: UTF-8 without a byte order mark.
    const std::string utf8 = "\xD0\xA1\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91";
    WriteBytes(f.PageFile(L"Synced"), utf8);
    Start();
    EXPECT_EQ(Text(0), L"\u0421\u044A\u0435\u0448\u044C \u0436\u0435 \u0435\u0449\u0451");
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(ReadBytes(f.PageFile(L"Synced")), utf8);  // the other programs read it as they wrote it
}
