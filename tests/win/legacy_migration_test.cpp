// Settings and pages of earlier versions in the registry, taken over at the first start.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "test_folder.h"

#include <string>

using namespace tavrik;

namespace {

class LegacyMigration : public ::testing::Test {
protected:
    std::wstring Legacy() const { return f.runKey.Path() + L"\\Legacy"; }
    void Put(const std::wstring& subKey, const wchar_t* name, const std::wstring& text) const {
        const std::wstring path = Legacy() + L"\\" + subKey;
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, text.c_str(),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    bool KeyThere(const std::wstring& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    std::wstring Value(const wchar_t* section, const wchar_t* key) const {
        return f.form->Ini().ReadString(section, key, L"(none)");
    }

    test::MessageLog log;
    test::FormInFolder f;
};

TEST_F(LegacyMigration, OnlyAHotKeyBringsEveryKeyAndTheSubKeyGoesTheKeyStays) {
    Put(L"Parameters", L"HotKey", L"120");
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Parameters", L"HotKey"), L"120");
    EXPECT_EQ(f.form->HotKey, 120);
    EXPECT_EQ(Value(L"Parameters", L"MainWidth"), L"418");
    EXPECT_EQ(Value(L"Parameters", L"SaveTo"), f.folder.Path());
    EXPECT_EQ(Value(L"Parameters", L"StartPage"), L"0");
    EXPECT_EQ(Value(L"Parameters", L"DefaultFontStyle"), L"(none)");
    EXPECT_FALSE(KeyThere(Legacy() + L"\\Parameters"));
    EXPECT_TRUE(KeyThere(Legacy()));
    EXPECT_TRUE(log.texts.empty());

    // A second start finds nothing to take over: what the user changed since stays.
    ASSERT_TRUE(f.form->Ini().WriteString(L"Parameters", L"HotKey", L"145"));
    f.Close();
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Parameters", L"HotKey"), L"145");
}

TEST_F(LegacyMigration, PagesTakeTheirColourAndTheDefaultsTakenOverAndTheirOldFiles) {
    f.osVersion = 7;
    Put(L"Parameters", L"DefaultFontName", L"Arial");
    Put(L"Parameters", L"SaveTo", f.folder.Path());
    Put(L"Pages", L"Notes", L"255");
    Put(L"Pages", L"CON", L"0");  // a device name: no page file could be made for it
    const DWORD number = 7;
    const std::wstring parameters = Legacy() + L"\\Parameters";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, parameters.c_str(), L"FadeSpeed", REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    test::WriteBytes(f.folder.Path() + L"Notes", "{\\rtf1\\ansi old notes\\par}");
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Parameters", L"NoTransparency"), L"0") << "translucency on by default on code 7";
    EXPECT_EQ(Value(L"Parameters", L"FadeSpeed"), L"5") << "a value not kept as text takes its default";
    EXPECT_EQ(Value(L"Pages", L"Notes"), L"255*Arial*0*10*0*0*1*");
    EXPECT_EQ(Value(L"Pages", L"CON"), L"(none)");
    EXPECT_FALSE(KeyThere(Legacy() + L"\\Pages"));
    ASSERT_EQ(f.form->PageCount(), 1);
    f.form->ShowMenuClick();
    EXPECT_NE(editor::GetText(f.form->Editor(0)).find(L"old notes"), std::wstring::npos);
    EXPECT_TRUE(test::Exists(f.PageFile(L"Notes")));
    EXPECT_FALSE(test::Exists(f.folder.Path() + L"Notes"));
}

}  // namespace
