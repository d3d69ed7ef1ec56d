// A page file replaced by a sync client while tavrik.exe has the page open: shown at once when
// the page is unchanged, kept beside ours when it changed here too.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

// As sync clients save: a whole new file renamed over the page.
void ReplaceLikeASyncClient(const std::wstring& path, std::string_view bytes) {
    const std::wstring temp = path + L".~sync";
    WriteBytes(temp, bytes);
    ASSERT_TRUE(MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
}

TEST(PageSync, AFileReplacedElsewhereIsShownThenKeptBesideWhatWasTyped) {
    ProgramFolder folder;
    const std::wstring notes = folder.PageFile(L"Notes");
    WriteUtf16WithBom(folder.Ini(), L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nAutoSave=0\r\n"
                                    L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n"
                                    L"[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    WriteBytes(notes, RtfPage("Page Notes"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    ReplaceLikeASyncClient(notes, RtfPage("Written on the laptop"));
    EXPECT_TRUE(WaitFor([&] { return app.ShownEditorText() == L"Written on the laptop"; }, 8000))
        << Utf8(app.ShownEditorText());

    ASSERT_TRUE(app.FocusPage());
    TypeText(L"Typed here ");
    ReplaceLikeASyncClient(notes, RtfPage("The laptop again"));
    ASSERT_TRUE(app.Close());  // Exit: ours is written, theirs kept first
    const auto page = ReadBytes(notes);
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("Typed here"), std::string::npos);
    bool theirsKept = false;
    const std::wstring versions = folder.App() + L"~versions\\Notes\\";
    for (const std::wstring& name : FolderEntries(versions))
        if (name.find(L" elsewhere.tvk") != std::wstring::npos) theirsKept = ReadBytes(versions + name) == RtfPage("The laptop again");
    EXPECT_TRUE(theirsKept);
}

}  // namespace
}  // namespace tavrik::e2e
