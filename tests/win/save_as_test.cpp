// Save as: what the dialog is offered, the format each choice gets, and a file that cannot be replaced.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "test_folder.h"

#include <optional>
#include <string>

using namespace tavrik;

namespace {

class SaveAs : public test::FormTest {
protected:
    void Start(std::string_view plain) {
        test::WriteBytes(f.PageFile(L"Notes"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 \\b Bold\\b0  \\u1046?uk\\par}");
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameter("Plain", plain).Page("Notes"));
        f.form->ShowMenuClick();
    }
    // Save as answered with `path` and the type `type`; the request the dialog got is kept.
    void SaveTo(const std::wstring& path, int type) {
        app::SetSaveFileHook([&, path, type](const app::SaveRequest& r) {
            asked = r;
            return std::optional(app::SaveChoice{path, type});
        });
        SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Save), 0);
        app::SetSaveFileHook(nullptr);
    }
    std::wstring LastSave() const { return f.form->Ini().ReadString(L"Parameters", L"LastSave", L"(none)"); }

    test::TempFolder other;
    app::SaveRequest asked;
};

TEST_F(SaveAs, RichTextByDefaultAndTheFolderRememberedForTheNextStartOnly) {
    Start("0");
    const std::wstring startFolder = app::ToWide(f.form->params.LastSave);
    SaveTo(other.Path() + L"Notes.rtf", 1);
    EXPECT_EQ(asked.folder, startFolder);
    EXPECT_EQ(asked.fileName, L"Notes");
    EXPECT_EQ(asked.defaultExtension, L"rtf");
    EXPECT_EQ(asked.type, 1);
    const std::string written = test::ReadBytes(other.Path() + L"Notes.rtf");
    EXPECT_EQ(written.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(written.find("Bold"), std::string::npos);
    EXPECT_EQ(LastSave(), other.Path());
    EXPECT_EQ(app::ToWide(f.form->params.LastSave), startFolder);
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(SaveAs, TheTypePickedDecidesAndTextKeepsEveryCharacter) {
    Start("1");
    SaveTo(other.Path() + L"Notes.rtf", 2);
    EXPECT_EQ(asked.defaultExtension, L"txt");
    EXPECT_EQ(asked.type, 2);
    EXPECT_EQ(test::ReadBytes(other.Path() + L"Notes.rtf").rfind("{\\rtf", 0), 0u) << "the name's .rtf wins";
    SaveTo(other.Path() + L"Notes", 2);
    const std::string text = test::ReadBytes(other.Path() + L"Notes");
    EXPECT_EQ(text.find("{\\rtf"), std::string::npos);
    // "Bold Жuk" in UTF-8 after its byte order mark, or in a Cyrillic ANSI code page.
    EXPECT_TRUE(text.find("\xEF\xBB\xBF" "Bold \xD0\x96uk") == 0 || text.find("Bold \xC6uk") == 0) << text;
}

TEST_F(SaveAs, AFileThatCannotBeReplacedStaysWholeAndNothingIsRemembered) {
    Start("0");
    const std::wstring target = other.Path() + L"kept.rtf";
    test::WriteBytes(target, "the user's own file");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    SaveTo(target, 1);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(test::ReadBytes(target), "the user's own file");
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Cannot create file"), std::wstring::npos);
    EXPECT_EQ(LastSave(), L"(none)");
}

}  // namespace
