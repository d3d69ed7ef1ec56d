// Autosave seen from outside: what was typed, and what was caught from the clipboard while the
// window was hidden, is in the page file a few seconds later, so a crash right then loses nothing.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

void WriteNotes(const ProgramFolder& folder, std::wstring_view parameters) {
    WriteUtf16WithBom(folder.Ini(), L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nAutoSave=1\r\n"
                                    L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n" +
                                        std::wstring(parameters) + L"[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    WriteBytes(folder.PageFile(L"Notes"), RtfPage("Page Notes"));
}

bool FileHolds(const std::wstring& path, std::string_view text) {
    return WaitFor([&] {
        const auto bytes = ReadBytes(path);
        return bytes && bytes->find(text) != std::string::npos;
    }, 8000);
}

TEST(AutoSave, TypingAndACopyCaughtWhileHiddenAreOnDiskBeforeAKill) {
    ProgramFolder folder;
    const std::wstring notes = folder.PageFile(L"Notes");
    WriteNotes(folder, L"");
    {
        TavrikProcess app(folder);
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.Show());
        ASSERT_TRUE(app.FocusPage());
        TypeText(L" typed then crashed");
        EXPECT_TRUE(FileHolds(notes, "typed then crashed")) << "the window stays up: only autosave writes";
        app.Kill();
    }
    WriteNotes(folder, L"CatchClipboard=1\r\n");
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());  // hidden, catching
    Sleep(500);                // the chain is joined and its first notice passed
    ASSERT_TRUE(CopyToClipboard(L"caught while hidden"));
    EXPECT_TRUE(FileHolds(notes, "caught while hidden"));
    app.Kill();
}

}  // namespace
}  // namespace tavrik::e2e
