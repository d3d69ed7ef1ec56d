// Page files and page names past what memory, a file system or a control can take.
#include <gtest/gtest.h>

#include "app/unique.h"
#include "editor/page_editor.h"
#include "search/find_all_form.h"
#include "pages/page_file_checks.h"
#include "test_folder.h"

#include <string>

using namespace tavrik;

namespace {

// A file of that size that takes no room: the end set far out, nothing written.
bool MakeSparse(const std::wstring& path, std::uint64_t size) {
    app::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return file && SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
}

BOOL CALLBACK AddText(HWND child, LPARAM out) {
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    *reinterpret_cast<std::wstring*>(out) += std::wstring(text) + L"\n";
    return TRUE;
}

std::wstring ChildTexts(HWND parent) {
    std::wstring all;
    EnumChildWindows(parent, AddText, reinterpret_cast<LPARAM>(&all));
    return all;
}

}  // namespace

TEST(PageLimits, AFileTooLargeIsRefusedWithAReasonByThePageFindAndTheSweep) {
    test::MessageLog log;
    test::FormInFolder f;
    const std::wstring folder = f.folder.Path();
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Page("Notes", "255*").Page("Big", "255*"));
    test::WriteBytes(f.PageFile(L"Notes"), "{\\rtf1\\ansi small words\\par}");
    const std::uint64_t huge = pages::kMaxPageFileBytes + 1;
    if (!MakeSparse(f.PageFile(L"Big"), huge)) GTEST_SKIP() << "no sparse file of that size here";
    // A save cut short, newer than its page and as large: it can be neither checked nor thrown away.
    const std::wstring leftover = folder + L"Big.tvk.~tvk1200_5000.tmp";
    ASSERT_TRUE(MakeSparse(leftover, huge));

    ASSERT_TRUE(f.Start());
    EXPECT_TRUE(test::Exists(leftover)) << "the sweep read or deleted it";
    f.form->ShowMenuClick();
    f.form->FindAllMenuClick();
    ASSERT_TRUE(f.form->FindAll());
    f.form->FindAll()->Search(L"words", {});
    EXPECT_EQ(f.form->FindAll()->ResultCount(), 1u);
    EXPECT_NE(ChildTexts(f.form->FindAll()->Handle()).find(L"too large: 1"), std::wstring::npos);

    ASSERT_NE(f.form->Editor(1), nullptr);
    EXPECT_TRUE(f.form->Page(1).unreadable);
    test::DispatchPosted();  // the message waited for the window
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"too large"), std::wstring::npos) << log.texts[0];
    EXPECT_NE(editor::GetText(f.form->Editor(1)).find(L"too large"), std::wstring::npos);
    LARGE_INTEGER size{};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(f.PageFile(L"Big").c_str(), GetFileExInfoStandard, &data));
    size.HighPart = static_cast<LONG>(data.nFileSizeHigh);
    size.LowPart = data.nFileSizeLow;
    EXPECT_EQ(static_cast<std::uint64_t>(size.QuadPart), huge) << "the page file stays as it was";
}

// A damaged tavrik.ini with a name no file system holds: left out, and the window comes up.
TEST(PageLimits, ANameOfAHundredThousandCharactersIsLeftOutAndTheWindowAnswers) {
    test::MessageLog log;
    test::FormInFolder f;
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Page(std::string(100000, 'x'), "255*").Page("Second", "255*"));
    ASSERT_TRUE(f.Start());
    f.form->ShowMenuClick();
    ASSERT_EQ(f.form->PageCount(), 1);
    EXPECT_EQ(f.form->PageName(0), L"Second");
    EXPECT_TRUE(IsWindowVisible(f.form->Handle()));
    // What the window does once up: its idle work, its tabs laid out and painted.
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(10);
    }
    EXPECT_TRUE(log.texts.empty());
    SendMessageW(f.form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(f.form->Handle(), nullptr) << "the window answers WM_CLOSE by closing";
}
