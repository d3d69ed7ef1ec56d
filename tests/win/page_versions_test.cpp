// Page versions: kept before a page file is replaced, rotated, moved and renamed with the pages,
// and opened from the Versions dialog as new pages.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "app/file_io.h"
#include "app/unique.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/page_version_files.h"
#include "pages/page_versions.h"
#include "dialog_driver.h"
#include "test_folder.h"
#include "ui/commands.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <functional>

using namespace tavrik;
using test::ReadBytes;
using test::WriteBytes;

namespace {

using Names = std::vector<std::wstring>;

// "Список покупок: молоко, хлеб" as a plain page in Windows-1251 holds it.
constexpr std::string_view kOldPage = "\xD1\xEF\xE8\xF1\xEE\xEA \xEF\xEE\xEA\xF3\xEF\xEE\xEA: "
                                      "\xEC\xEE\xEB\xEE\xEA\xEE, \xF5\xEB\xE5\xE1";

std::wstring ItemText(HWND list, int item, int column) {
    wchar_t text[256] = {};
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
    return text;
}

class PageVersions : public test::FormTest {
protected:
    void Start(std::string_view parameters = "") {
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameters(parameters).Page("Notes"));
    }
    HWND Notes() { return Form().Editor(0); }
    void Type(const wchar_t* text) { SendMessageW(Notes(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }
    void EmptyPage() {  // as the user does: select everything, delete it
        SendMessageW(Notes(), EM_SETSEL, 0, -1);
        Type(L"");
    }
    std::wstring VersionsFolder(const std::wstring& page) { return f.folder.Path() + L"~versions\\" + page + L"\\"; }
    // The file names in a page's versions folder, oldest first.
    Names VersionFiles(const std::wstring& page) {
        Names names;
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((VersionsFolder(page) + L"*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }
    void PutVersion(const std::wstring& page, const std::wstring& name, std::string_view bytes) {
        CreateDirectoryW((f.folder.Path() + L"~versions").c_str(), nullptr);
        CreateDirectoryW(VersionsFolder(page).c_str(), nullptr);
        WriteBytes(VersionsFolder(page) + name, bytes);
    }
};

}  // namespace

TEST_F(PageVersions, FirstReplaceOfTheRunKeepsTheOldFileThenNotAgainWithinTheHourUnlessEmptied) {
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start();
    Type(L"Also tea. ");
    ASSERT_TRUE(Form().SavePage(0));
    Names versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_TRUE(pages::ParseVersionFileName(app::ToU16(versions[0])));
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[0]), kOldPage);
    // A second name of the old file or a copy of it: either way its bytes are the version's alone.
    EXPECT_EQ(app::LinkCount(VersionsFolder(L"Notes") + versions[0]), std::optional<DWORD>(1));
    EXPECT_EQ(app::LinkCount(f.PageFile(L"Notes")), std::optional<DWORD>(1));

    Type(L"And sugar. ");
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(VersionFiles(L"Notes").size(), 1u) << "a second save within the hour";

    const std::string beforeEmptying = ReadBytes(f.PageFile(L"Notes"));
    EmptyPage();
    ASSERT_TRUE(Form().SavePage(0));
    versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions.size(), 2u) << "emptying the page keeps what it held";
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[1]), beforeEmptying);

    // The next run writes the same bytes again: no version of an unchanged page.
    f.Close();
    Start();
    ASSERT_NE(Notes(), nullptr);
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(VersionFiles(L"Notes").size(), 2u);
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PageVersions, RotationKeepsTheNewestAndLeavesOtherFilesAlone) {
    for (const wchar_t* old : {L"2020-01-01 08-00-00.000.tvk", L"2020-01-03 08-00-00.000.tvk",
                               L"2020-01-02 08-00-00.000.tvk", L"2020-01-04 08-00-00.000.tvk"})
        PutVersion(L"Notes", old, "old");
    PutVersion(L"Notes", L"read me.txt", "mine");
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start("Versions=3\r\n");
    Type(L"changed ");
    ASSERT_TRUE(Form().SavePage(0));
    const Names versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions.size(), 4u);
    EXPECT_EQ(versions[0], L"2020-01-03 08-00-00.000.tvk");
    EXPECT_EQ(versions[1], L"2020-01-04 08-00-00.000.tvk");
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[2]), kOldPage);
    EXPECT_EQ(versions[3], L"read me.txt");
}

// The save's one listing of the folder sees the copy a crash cut short: it becomes its version and
// counts in the rotation, which then drops the oldest.
TEST_F(PageVersions, ASaveSettlesACopyCutShortAndRotatesWithIt) {
    const std::string_view whole = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Old list\\par}\r\n";
    PutVersion(L"Notes", L"2020-01-01 08-00-00.000.tvk", "oldest");
    PutVersion(L"Notes", L"2020-01-02 08-00-00.000.tvk.~tvk1200_9000.tmp", whole);
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start("Versions=2\r\n");
    Type(L"changed ");
    ASSERT_TRUE(Form().SavePage(0));
    const Names versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0], L"2020-01-02 08-00-00.000.tvk");
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[0]), whole);
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[1]), kOldPage);
}

TEST_F(PageVersions, ZeroVersionsKeepsNoneAndDropsNone) {
    PutVersion(L"Notes", L"2020-01-01 08-00-00.000.tvk", "old");
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start("Versions=0\r\n");
    EmptyPage();
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(VersionFiles(L"Notes"), Names{L"2020-01-01 08-00-00.000.tvk"});
}

// Plain text keeps no formatting: the rich file goes into a version, however lately one was kept,
// for a page in its editor and for one never opened alike.
TEST_F(PageVersions, ConversionToPlainTextAlwaysKeepsTheRichFile) {
    const std::string rich = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Some \\b bold\\b0  words\\par}";
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    WriteBytes(f.PageFile(L"Never opened"), rich);
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Page("Notes", "1*").Page("Never opened", "1*"));
    ASSERT_TRUE(f.Start());
    Type(L"typed ");
    ASSERT_TRUE(Form().SavePage(0));
    const std::string richNotes = ReadBytes(f.PageFile(L"Notes"));
    ASSERT_TRUE(Form().ConvertPages(true, nullptr));
    const Names notes = VersionFiles(L"Notes");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + notes[1]), richNotes);
    const Names never = VersionFiles(L"Never opened");
    ASSERT_EQ(never.size(), 1u);
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Never opened") + never[0]), rich);
}

TEST_F(PageVersions, TheVersionsFolderIsNoPageName) {
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Page("~VERSIONS", "1*").Page("Notes", "1*"));
    ASSERT_TRUE(f.Start());
    ASSERT_EQ(Form().PageCount(), 1) << "the name read from tavrik.ini is left out";
    EXPECT_EQ(Form().PageName(0), L"Notes");

    std::vector<std::wstring> offered;
    app::SetDialogHooks({[&](std::wstring_view, std::wstring_view text) -> std::optional<std::wstring> {
        offered.emplace_back(text);
        if (offered.size() == 1) return L"~Versions";
        return std::nullopt;
    }, nullptr, nullptr});
    Form().NewPage1Click();
    app::SetDialogHooks({});
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"earlier versions"), std::wstring::npos);
    EXPECT_EQ(offered.size(), 2u) << "the refused name comes back for mending";
    EXPECT_EQ(Form().PageCount(), 1);
}

TEST_F(PageVersions, DialogOpensThePickedVersionAsANewPageAndLeavesTheCurrentOne) {
    const std::string rich = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard First \\b draft\\b0\\par}";
    PutVersion(L"Notes", L"2026-12-01 10-00-00.000.tvk", rich);
    PutVersion(L"Notes", L"2026-12-05 18-30-00.000.tvk", "Second draft,\r\n\r\n  nearly done");
    WriteBytes(f.PageFile(L"Notes"), "Current text");
    WriteBytes(f.PageFile(L"Notes 2026-12-01 10-00"), "somebody's file");
    Start();
    Form().FormShow();
    Names shown;
    {
        const test::DialogDriver drive([&](HWND dialog) {
            const HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr);
            for (int i = 0; i < static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); ++i)
                shown.push_back(ItemText(list, i, 2));
            // The keyboard alone: down to the older one, Enter.
            PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        });
        SendMessageW(Form().Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Versions), 0);
    }
    EXPECT_EQ(shown, (Names{L"Second draft, nearly done", L"First draft"})) << "newest first, rich text as text";
    ASSERT_EQ(Form().PageCount(), 2);
    EXPECT_EQ(Form().PageName(1), L"Notes 2026-12-01 10-00 (2)") << "a file of the name is never replaced";
    EXPECT_EQ(ReadBytes(f.PageFile(L"Notes 2026-12-01 10-00")), "somebody's file");
    EXPECT_EQ(Form().TabIndex(), 1);
    EXPECT_EQ(ReadBytes(f.PageFile(L"Notes 2026-12-01 10-00 (2)")), rich) << "exactly the version's bytes";
    EXPECT_NE(editor::GetText(Form().Editor(1)).find(L"First draft"), std::wstring::npos);
    EXPECT_EQ(editor::GetText(Form().Editor(0)).find(L"Current text"), 0u);
    EXPECT_TRUE(Form().Ini().ReadString(L"Pages", L"Notes 2026-12-01 10-00 (2)").has_value());
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PageVersions, DialogWithoutVersionsSaysSoAndOpensNothing) {
    Start();
    std::wstring heading;
    bool openEnabled = true;
    {
        const test::DialogDriver drive([&](HWND dialog) {
            heading = app::WindowText(GetDlgItem(dialog, 100));
            openEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK));
            PostMessageW(GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Form().VersionsMenuClick();
    }
    EXPECT_EQ(heading, L"The page \"Notes\" has no earlier versions yet.");
    EXPECT_FALSE(openEnabled);
    EXPECT_EQ(Form().PageCount(), 1);
}

TEST_F(PageVersions, VersionsFollowARenameAndAFolderMove) {
    PutVersion(L"Notes", L"2020-01-01 08-00-00.000.tvk", "old");
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start("Versions=0\r\n");  // the rename's own save keeps none
    (void)Notes();
    ASSERT_TRUE(Form().PageRename(L"Shopping"));
    EXPECT_EQ(VersionFiles(L"Shopping"), Names{L"2020-01-01 08-00-00.000.tvk"});
    EXPECT_FALSE(test::Exists(VersionsFolder(L"Notes")));

    test::TempFolder other;
    ASSERT_TRUE(Form().MoveSaveFolder(other.Path(), nullptr));
    EXPECT_EQ(ReadBytes(other.Path() + L"~versions\\Shopping\\2020-01-01 08-00-00.000.tvk"), "old");
    EXPECT_FALSE(test::Exists(f.folder.Path() + L"~versions"));
    EXPECT_TRUE(log.texts.empty());
}

// Versions named by a clock ahead of this one (set back since, or a computer further east): the
// new one is named after them, so the rotation to one keeps it and drops theirs.
TEST_F(PageVersions, ClockBehindEarlierVersionsStillKeepsTheNewOne) {
    PutVersion(L"Notes", L"2099-01-01 00-00-00.000.tvk", "from the future");
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start("Versions=1\r\n");
    EmptyPage();
    ASSERT_TRUE(Form().SavePage(0));
    const Names versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions, Names{L"2099-01-01 00-00-00.001.tvk"});
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[0]), kOldPage) << "what the page held before emptying";
}

// A file named ~versions in the folder, and another in place of the user's folder: an ordinary save
// goes on and says once that no version was kept; a save that would empty the page waits, its text
// still in the page, until a version can be kept, here in the user's folder.
TEST_F(PageVersions, AVersionKeptNowhereIsSaidOnceAndAnEmptyingSaveWaitsForIt) {
    WriteBytes(f.folder.Path() + L"~versions", "a file in the way");
    WriteBytes(f.folder.Path() + L"user", "and another in place of the user's folder");
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start();
    const auto caption = [&] { return app::WindowText(Form().Handle()); };
    Type(L"Also tea. ");
    ASSERT_TRUE(Form().SavePage(0));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"could not be kept as a version"), std::wstring::npos);
    EXPECT_NE(caption().find(L"no version kept: Notes"), std::wstring::npos);
    Type(L"And sugar. ");
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_EQ(log.texts.size(), 1u) << "said once";
    const std::string saved = ReadBytes(f.PageFile(L"Notes"));

    EmptyPage();
    EXPECT_FALSE(Form().SavePage(0));
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_NE(log.texts[1].find(L"was not saved"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(f.PageFile(L"Notes")), saved);
    EXPECT_NE(SendMessageW(Notes(), EM_GETMODIFY, 0, 0), 0) << "still changed";
    EXPECT_NE(caption().find(L"not saved: Notes"), std::wstring::npos);

    DeleteFileW((f.folder.Path() + L"user").c_str());
    ASSERT_TRUE(Form().SavePage(0));
    const auto kept = pages::ListVersions({f.folder.Path(), f.UserFolder()}, L"Notes");  // as File, Versions lists
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].path.starts_with(f.UserFolder() + L"Versions\\Notes\\"));
    EXPECT_EQ(ReadBytes(kept[0].path), saved);
    EXPECT_EQ(log.texts.size(), 2u);
    EXPECT_EQ(caption().find(L"no version kept"), std::wstring::npos);
    EXPECT_EQ(caption().find(L"not saved"), std::wstring::npos);
}

// Without long paths a version's path is the page's and 44 characters more: a name that leaves no
// room for them is refused, with long paths it is taken.
TEST_F(PageVersions, PageNameLeavesRoomForItsVersionsWithoutLongPaths) {
    std::wstring deep = f.folder.Path();
    while (deep.size() < 150) {
        deep += L"folder of the pages\\";
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Parameter("SaveTo", deep)
        .Page("Notes", "1*"));  // ASCII only
    const std::wstring name(260 - 48 - deep.size(), L'n');  // the version's path one over 259
    for (const bool longPaths : {false, true}) {
        f.longPaths = longPaths;
        ASSERT_TRUE(f.Start());
        int asked = 0;  // the name, then, when it comes back for mending, Cancel
        app::SetDialogHooks({[&](std::wstring_view, std::wstring_view) -> std::optional<std::wstring> {
            return ++asked == 1 ? std::optional<std::wstring>(name) : std::nullopt;
        }, nullptr, nullptr});
        Form().NewPage1Click();
        app::SetDialogHooks({});
        EXPECT_EQ(Form().PageCount(), longPaths ? 2 : 1) << longPaths;
        EXPECT_EQ(log.texts.size(), longPaths ? 0u : 1u) << longPaths;
        log.texts.clear();
        f.Close();
    }
}

TEST_F(PageVersions, FullDiskKeepsTheVersionInTheUserFolder) {
    wchar_t volume[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TAVRIK_SMALL_VOLUME", volume, MAX_PATH) ||
        !test::Exists(std::wstring(volume) + L"mounted"))
        GTEST_SKIP() << "no small volume: CTest mounts one when the tests run as root";
    const std::wstring folder = std::wstring(volume) + L"versions\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    // A 100 KB page and a filler that leaves less room than a copy of it takes.
    std::string page;
    while (page.size() < size_t{100} * 1024) page += "line of a long page\r\n";
    const std::wstring pagePath = folder + L"Big.tvk", filler = folder + L"filler";
    WriteBytes(pagePath, page);
    // A page file with a second name is copied rather than linked, and the copy is what a full
    // disk refuses; a version that is a link needs no room.
    const std::wstring otherName = folder + L"Big.txt";
    ASSERT_TRUE(CreateHardLinkW(otherName.c_str(), pagePath.c_str(), nullptr));
    WriteBytes(filler, std::string(size_t{880} * 1024, 'x'));
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Parameter("Plain", 1).Parameter("SaveTo", folder)
        .Page("Big", "1*"));
    ASSERT_TRUE(f.Start());
    EmptyPage();
    const bool saved = Form().SavePage(0);
    const auto versions = pages::ListVersions({folder, f.UserFolder()}, L"Big");
    const std::string kept = versions.size() == 1 ? ReadBytes(versions[0].path) : std::string();
    const bool inUserFolder = versions.size() == 1 && versions[0].path.starts_with(f.UserFolder());
    f.Close();
    DeleteFileW(filler.c_str());
    DeleteFileW(otherName.c_str());
    DeleteFileW(pagePath.c_str());
    const bool noPartLeft = RemoveDirectoryW((folder + L"~versions\\Big").c_str()) != FALSE;  // only when empty
    RemoveDirectoryW((folder + L"~versions").c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_TRUE(saved);
    EXPECT_TRUE(inUserFolder);
    EXPECT_TRUE(noPartLeft) << "no part of a copy left on the full disk";
    EXPECT_TRUE(kept == page) << "the whole page";
    EXPECT_TRUE(log.texts.empty());
}

// Where the file system allows, a save keeps its version as a second name of the old page file,
// which the replace leaves to the version alone. Whatever happens, a version ends up with bytes of
// its own: a replace that fails turns it into a copy, and a page file that has another name of
// its own (a link the user made) is copied, so neither can change the other later.
TEST_F(PageVersions, AVersionNeverSharesItsBytesWithAPageFileOrAnotherName) {
    const auto onlyName = [](const std::wstring& path) { return app::LinkCount(path) == std::optional<DWORD>(1); };
    const auto startAfresh = [&] {
        f.Close();
        for (const std::wstring& name : VersionFiles(L"Notes")) DeleteFileW((VersionsFolder(L"Notes") + name).c_str());
        WriteBytes(f.PageFile(L"Notes"), kOldPage);
    };
    // The replace is refused: the page file stays, and so does its version, as a copy. (A program
    // that holds the page file this way is seen before the version is kept; one that comes later
    // leaves a version that is a second name, made a copy by DetachVersion, below.)
    WriteBytes(f.PageFile(L"Notes"), kOldPage);
    Start();
    Type(L"Also tea. ");
    {
        const app::UniqueFile held(CreateFileW(f.PageFile(L"Notes").c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(Form().SavePage(0));
    }
    Names versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(ReadBytes(VersionsFolder(L"Notes") + versions[0]), kOldPage);
    EXPECT_TRUE(onlyName(VersionsFolder(L"Notes") + versions[0]));
    EXPECT_TRUE(onlyName(f.PageFile(L"Notes")));
    startAfresh();
    log.texts.clear();

    // A page file with a name of its own elsewhere is copied; that name keeps the old bytes.
    const std::wstring mine = f.folder.Path() + L"mine.txt";
    ASSERT_TRUE(CreateHardLinkW(mine.c_str(), f.PageFile(L"Notes").c_str(), nullptr));
    Start();
    Type(L"Also tea. ");
    ASSERT_TRUE(Form().SavePage(0));
    versions = VersionFiles(L"Notes");
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_TRUE(onlyName(VersionsFolder(L"Notes") + versions[0]));
    EXPECT_EQ(app::LinkCount(mine), std::optional<DWORD>(1));
    EXPECT_EQ(ReadBytes(mine), kOldPage);

    const std::wstring version = VersionsFolder(L"Notes") + versions[0];
    ASSERT_TRUE(DeleteFileW(version.c_str()));
    ASSERT_TRUE(CreateHardLinkW(version.c_str(), mine.c_str(), nullptr));
    EXPECT_EQ(pages::DetachVersion(version), DWORD{ERROR_SUCCESS});
    EXPECT_TRUE(onlyName(version));
    EXPECT_TRUE(onlyName(mine));
    EXPECT_EQ(ReadBytes(version), kOldPage);
}
