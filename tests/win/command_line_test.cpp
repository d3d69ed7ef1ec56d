// Commands from another process as the main window receives them: only a well-formed list with
// our tag is taken, and a line appended lands at the end of its page, the selection kept.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/command_start.h"
#include "app/messages.h"
#include "test_folder.h"

#include <richedit.h>

#include <string>

using namespace tavrik;

namespace {

class CommandData : public test::FormTest {
protected:
    void SetUp() override {
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameter("AutoSave", 0).Page("Notes").Page("Tasks"));
    }
    // What WM_COPYDATA answers for these bytes under this tag.
    LRESULT Send(ULONG_PTR tag, const void* data, DWORD bytes) const {
        COPYDATASTRUCT copy{tag, bytes, const_cast<void*>(data)};
        return SendMessageW(Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    }
    LRESULT SendArguments(const std::vector<std::u16string>& arguments) const {
        const std::u16string data = app::EncodeArguments(arguments);
        return Send(app::kCommandDataTag, data.data(), static_cast<DWORD>(data.size() * sizeof(char16_t)));
    }
};

TEST_F(CommandData, RefusesWhatIsNotAWellFormedCommand) {
    const std::u16string append = app::EncodeArguments({u"/append", u"stray"});
    const DWORD bytes = static_cast<DWORD>(append.size() * sizeof(char16_t));
    struct Case {
        const char* what;
        ULONG_PTR tag;
        const void* data;
        DWORD bytes;
    };
    const Case cases[] = {
        {"another program's tag", 1, append.data(), bytes},
        {"no data", app::kCommandDataTag, nullptr, 0},
        {"a size that splits a character", app::kCommandDataTag, append.data(), bytes - 1},
        {"the last argument not ended", app::kCommandDataTag, append.data(), bytes - 2},
    };
    for (const Case& c : cases) EXPECT_EQ(Send(c.tag, c.data, c.bytes), FALSE) << c.what;
    for (const auto& arguments : std::vector<std::vector<std::u16string>>{
             {u"/shwo"}, {}, {u"/help"}, {u"/pagefolder", u"C:\\x.txt"}, {u"/append"}})
        EXPECT_EQ(SendArguments(arguments), FALSE) << "refused: not for the running copy, or wrong";
    test::DispatchPosted();
    EXPECT_EQ(Text(0), L"");
    EXPECT_EQ(Text(1), L"");
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(CommandData, AppendedLinesGoToTheEndOfTheirPageOnLinesOfTheirOwn) {
    Type(0, L"first");
    const HWND editor = Form().Editor(0);
    CHARRANGE caret{2, 3};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    ASSERT_EQ(SendArguments({u"/append", u"second"}), TRUE);
    ASSERT_EQ(SendArguments({u"/page", u"TASKS", u"/append", u"call Anna"}), TRUE);
    ASSERT_EQ(SendArguments({u"/append", u"third"}), TRUE);
    ASSERT_EQ(SendArguments({u"/page", u"Holidays", u"/append", u"lost"}), TRUE);
    test::DispatchPosted();
    EXPECT_EQ(Text(0), L"first\r\nsecond\r\nthird");
    EXPECT_EQ(Text(1), L"call Anna");
    CHARRANGE kept{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    EXPECT_EQ(kept.cpMin, 2);
    EXPECT_EQ(kept.cpMax, 3);
    EXPECT_TRUE(SendMessageW(Form().Editor(1), EM_GETMODIFY, 0, 0)) << "saved by the usual rules";
    EXPECT_FALSE(IsWindowVisible(Window()));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], L"There is no page \"Holidays\".");
}

// What the uninstaller reads: the folder as the program uses it, or nothing at all when tavrik.ini
// is there but cannot be read, since the default folder could be the wrong one.
TEST(PageFolderFile, HoldsTheFolderThePagesAreInOrIsNotWritten) {
    struct Case {
        const char* what;
        std::optional<std::string> ini;
        bool held;
        std::optional<std::wstring> folder;  // relative to the program's folder when it starts with "."
    };
    const Case cases[] = {
        {"no tavrik.ini yet", std::nullopt, false, L"."},
        {"the default", test::IniBuilder().Page("Notes").Text(), false, L"."},
        {"a folder of its own, no backslash", test::IniBuilder().Parameters("SaveTo=D:\\Notes\\Work").Text(), false,
         L"D:\\Notes\\Work\\"},
        {"held by another program", test::IniBuilder().Parameters("SaveTo=D:\\Notes").Text(), true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        app::AppEnvironment env;
        env.programFolder = folder.Path();
        env.programPath = folder.Path() + L"tavrik.exe";
        if (c.ini) test::WriteBytes(folder.Path() + L"tavrik.ini", *c.ini);
        std::optional<test::FileHolder> holder;
        if (c.held) holder.emplace(folder.Path() + L"tavrik.ini");
        const std::wstring out = folder.Path() + L"folder.txt";
        EXPECT_EQ(app::WritePageFolder(env, out), c.folder.has_value());
        if (!c.folder) {
            EXPECT_FALSE(test::Exists(out));
            continue;
        }
        const std::wstring expected = L"\xFEFF" + (*c.folder == L"." ? folder.Path() : *c.folder);
        EXPECT_EQ(test::ReadBytes(out),
                  std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * sizeof(wchar_t)));
    }
}

}  // namespace
