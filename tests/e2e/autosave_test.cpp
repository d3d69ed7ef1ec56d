// Autosave seen from outside: what was typed, and what was caught from the clipboard while the
// window was hidden, is in the page file a few seconds later, so a crash right then loses nothing.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

// The page Notes in `pageFolder` (the program's own folder when empty).
void WriteNotes(const ProgramFolder& folder, std::wstring_view parameters, const std::wstring& pageFolder = {}) {
    std::wstring ini = L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nAutoSave=1\r\n"
                       L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n";
    ini += parameters;
    if (!pageFolder.empty()) ini += L"SaveTo=" + pageFolder + L"\r\n";
    WriteUtf16WithBom(folder.Ini(), ini + L"[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    WriteBytes((pageFolder.empty() ? folder.App() : pageFolder) + L"Notes.tvk", RtfPage("Page Notes"));
}

std::wstring Caption(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);  // a top-level window's own text, from outside
    return text;
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

TEST(AutoSave, AFolderGoneIsSaidOnceOverManyAttemptsAndTheCaptionSaysSoUntilItIsBack) {
    ProgramFolder folder;
    const std::wstring pages = folder.Root() + L"pages\\";
    ASSERT_TRUE(CreateDirectoryW(pages.c_str(), nullptr));
    WriteNotes(folder, L"", pages);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Show());
    ASSERT_TRUE(app.FocusPage());
    ASSERT_TRUE(DeleteFileW((pages + L"Notes.tvk").c_str()) && RemoveDirectoryW(pages.c_str()));
    TypeText(L"kept in memory ");
    const HWND box = app.WaitForDialog(L"Tavrik");
    ASSERT_TRUE(box);
    EXPECT_EQ(DialogMessage(box).rfind(L"Cannot create file", 0), 0u);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Sleep(8000);  // eight more attempts, one a second
    EXPECT_EQ(app.FailOnMessageBoxes("while autosave kept failing"), 0u);
    EXPECT_EQ(Caption(app.Window()), L"Tavrik - not saved: Notes");

    ASSERT_TRUE(CreateDirectoryW(pages.c_str(), nullptr));
    EXPECT_TRUE(FileHolds(pages + L"Notes.tvk", "kept in memory"));
    EXPECT_TRUE(WaitFor([&] { return Caption(app.Window()) == L"Tavrik"; }, 3000));
    app.Kill();
}

}  // namespace
}  // namespace tavrik::e2e
