// A page folder shared with another computer or program: a page file changed there is read back
// or kept beside ours, never written over; the page list keeps what another copy added.
#include <gtest/gtest.h>

#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/page_versions.h"
#include "test_folder.h"

#include <algorithm>

using namespace tavrik;

namespace {

using Names = std::vector<std::wstring>;

std::string Rtf(std::string_view text) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard " + std::string(text) + "\\par}\r\n";
}

class PageSync : public test::FormTest {
protected:
    void Start(std::string_view parameters = "") {
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameters(parameters).Page("Notes"));
        ASSERT_NE(Notes(), nullptr);
    }
    HWND Notes() { return Form().Editor(0); }
    std::wstring Text() { return editor::GetText(Notes()); }
    void Type(const wchar_t* text) {
        SendMessageW(Notes(), EM_SETSEL, 0, 0);
        SendMessageW(Notes(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    // As sync clients and most editors save: a whole new file renamed over the page.
    void WrittenElsewhere(std::string_view bytes) {
        const std::wstring temp = f.folder.Path() + L".~sync-Notes.tmp";
        test::WriteBytes(temp, bytes);
        ASSERT_TRUE(MoveFileExW(temp.c_str(), f.PageFile(L"Notes").c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    std::string File() { return test::ReadBytes(f.PageFile(L"Notes")); }
    // The page's versions, oldest first, with their bytes.
    std::vector<std::pair<std::wstring, std::string>> Versions() {
        std::vector<std::pair<std::wstring, std::string>> versions;
        const std::wstring folder = f.folder.Path() + L"~versions\\Notes\\";
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((folder + L"*.tvk").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return versions;
        do versions.emplace_back(data.cFileName, test::ReadBytes(folder + data.cFileName));
        while (FindNextFileW(find, &data));
        FindClose(find);
        std::sort(versions.begin(), versions.end());
        return versions;
    }
};

}  // namespace

// The page unchanged here: nothing is written, the page shows their text, and what it showed
// before is a version, so the reload can be undone. Also on show. A file deleted elsewhere comes
// back only when the program ends, which would take the text with it.
TEST_F(PageSync, AnUnchangedPageTakesTheTextWrittenElsewhere) {
    test::WriteBytes(f.PageFile(L"Notes"), Rtf("written here"));
    Start();
    WrittenElsewhere(Rtf("written on the laptop"));
    ASSERT_TRUE(Form().SavePage(0));  // as a hide or a change of page does
    EXPECT_EQ(File(), Rtf("written on the laptop")) << "not written over";
    EXPECT_EQ(Text(), L"written on the laptop");
    const auto versions = Versions();
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_NE(versions[0].second.find("written here"), std::string::npos);

    WrittenElsewhere(Rtf("then in another editor"));
    Form().ShowMenuClick();  // shown: the page's file is looked at before anything is typed
    EXPECT_EQ(Text(), L"then in another editor");
    Form().FormHide();

    ASSERT_TRUE(DeleteFileW(f.PageFile(L"Notes").c_str()));  // deleted elsewhere
    ASSERT_TRUE(Form().SavePage(0));
    EXPECT_FALSE(test::Exists(f.PageFile(L"Notes"))) << "an unchanged page does not bring its file back";
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_NE(File().find("then in another editor"), std::string::npos) << "but its text is not lost at the end";
    EXPECT_TRUE(log.texts.empty());
}

// Changed on both sides: their text is kept as a version first, whatever the count of versions,
// named for where it came from; then ours is written, and the caption says so until the versions
// are looked at.
TEST_F(PageSync, ChangedOnBothSidesKeepsBothAndSaysSo) {
    test::WriteBytes(f.PageFile(L"Notes"), Rtf("first"));
    Start("Versions=0\r\n");
    Type(L"typed here ");
    WrittenElsewhere(Rtf("typed on the laptop"));
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_NE(File().find("typed here"), std::string::npos);
    const auto versions = Versions();
    ASSERT_EQ(versions.size(), 1u);
    const auto time = pages::ParseVersionFileName(app::ToU16(versions[0].first));
    ASSERT_TRUE(time);
    EXPECT_TRUE(time->elsewhere) << app::ToU16(versions[0].first).size();
    EXPECT_EQ(versions[0].second, Rtf("typed on the laptop"));
    EXPECT_NE(Caption().find(L"changed elsewhere too: Notes"), std::wstring::npos) << Caption();
    EXPECT_TRUE(log.texts.empty()) << "no box per page";
}

// A file another program holds, or made read-only, costs an unchanged page nothing at Exit.
TEST_F(PageSync, AnUnchangedReadOnlyPageDoesNotBlockExit) {
    test::WriteBytes(f.PageFile(L"Notes"), Rtf("kept as it is"));
    ASSERT_TRUE(SetFileAttributesW(f.PageFile(L"Notes").c_str(), FILE_ATTRIBUTE_READONLY));
    Start();
    EXPECT_TRUE(Form().FinishAll());
    EXPECT_TRUE(log.texts.empty());
    EXPECT_EQ(File(), Rtf("kept as it is"));
    (void)SetFileAttributesW(f.PageFile(L"Notes").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Two copies on one tavrik.ini in turn: what the other added stays, what this one renamed goes.
TEST_F(PageSync, ThePageListKeepsWhatAnotherCopyAdded) {
    test::WriteBytes(f.PageFile(L"Notes"), Rtf("notes"));
    Start();
    // The other copy, meanwhile, made a page of its own and wrote its list.
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Page("Notes").Page("Laptop", "255*Arial*0*10*0*0*1*"));
    test::WriteBytes(f.PageFile(L"Laptop"), Rtf("made on the laptop"));
    ASSERT_TRUE(Form().PageRename(L"Desk"));
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_EQ(ListedPages(), (Names{L"Desk", L"Laptop"}));
    EXPECT_EQ(Form().Ini().ReadString(L"Pages", L"Laptop"), L"255*Arial*0*10*0*0*1*");

    f.Close();  // the next start has both
    ASSERT_TRUE(f.Start());
    ASSERT_EQ(Form().PageCount(), 2);
    EXPECT_EQ(editor::GetText(Form().Editor(1)), L"made on the laptop");
}
