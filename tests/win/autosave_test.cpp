// Autosave: a changed page is written once the changes pause; a program at rest sets no timer; a
// page that cannot be written is said once and named in the caption until a write succeeds.
#include <gtest/gtest.h>

#include "app/messages.h"
#include "test_folder.h"

#include <functional>

using namespace tavrik;

namespace {

bool PumpFor(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    }
    return true;
}

class AutoSave : public test::FormTest {
protected:
    void Start(const std::wstring& folder) {
        test::WriteBytes(folder + L"Notes.tvk", "{\\rtf1\\ansi first\\par}");
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameter("AutoSave", 1).Parameter("SaveTo", folder)
            .Page("Notes"));
        f.form->ShowMenuClick();
        editor = f.form->Editor(0);
        ASSERT_TRUE(editor);
    }
    void Type(const wchar_t* text) const {
        SendMessageW(editor, EM_SETSEL, -1, -1);
        SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    // Whether the timer was armed; it is gone afterwards.
    bool TimerArmed() const { return KillTimer(f.form->Handle(), app::kTimerAutoSave) != FALSE; }

    HWND editor = nullptr;
};

TEST_F(AutoSave, NoTimerAtRestAndTheChangedPageIsWrittenOnceTheTypingPauses) {
    Start(f.folder.Path());
    const std::wstring page = f.PageFile(L"Notes");
    PumpFor([] { return false; }, 300);
    EXPECT_FALSE(TimerArmed()) << "a page read from its file is no change";
    for (int i = 0; i < 6; ++i) {  // a burst of typing, each key within the quiet time
        Type(L"x");
        PumpFor([] { return false; }, 250);
    }
    EXPECT_EQ(test::ReadBytes(page).find("xxxxxx"), std::string::npos) << "written during the burst";
    EXPECT_TRUE(PumpFor([&] { return test::ReadBytes(page).find("xxxxxx") != std::string::npos; }, 3000));
    EXPECT_FALSE(TimerArmed()) << "nothing is left to write";
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(AutoSave, APageThatCannotBeWrittenIsSaidOnceAndNamedInTheCaptionUntilAWriteSucceeds) {
    const std::wstring folder = f.folder.Path() + L"pages\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    Start(folder);
    const std::wstring plainCaption = Caption();
    ASSERT_TRUE(DeleteFileW((folder + L"Notes.tvk").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(folder.c_str()));
    Type(L" kept");
    PumpFor([] { return false; }, 4500);  // three or four attempts
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0].rfind(L"Cannot create file", 0), 0u);
    EXPECT_EQ(Caption(), plainCaption + L" - not saved: Notes");

    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));  // the folder is back
    EXPECT_TRUE(PumpFor([&] { return test::ReadBytes(folder + L"Notes.tvk").find("kept") != std::string::npos; }, 3000));
    EXPECT_EQ(Caption(), plainCaption);
    EXPECT_EQ(log.texts.size(), 1u);
}

}  // namespace
