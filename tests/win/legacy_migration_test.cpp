// Settings and pages of earlier versions in the registry, taken over at the first start.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "test_folder.h"

#include <string>

using namespace tavrik;

namespace {

class LegacyMigration : public test::FormTest {
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

    // Old pages are read when needed: each by its name.
    std::wstring TextOf(const std::wstring& name) {
        for (int i = 0; i < f.form->PageCount(); ++i)
            if (f.form->PageName(i) == name) return editor::GetText(f.form->Editor(i));
        return L"(no page)";
    }
};

TEST_F(LegacyMigration, OnlyAHotKeyBringsEveryKeyAndTheSubKeyGoesTheKeyStays) {
    Put(L"Parameters", L"HotKey", L"120");
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Parameters", L"HotKey"), L"120");
    EXPECT_EQ(f.form->params.HotKey, 120);
    EXPECT_EQ(Value(L"Parameters", L"MainWidth"), L"418");
    EXPECT_EQ(Value(L"Parameters", L"SaveTo"), f.folder.Path());
    EXPECT_EQ(Value(L"Parameters", L"StartPage"), L"0");
    EXPECT_EQ(Value(L"Parameters", L"DefaultFontStyle"), L"(none)");
    EXPECT_EQ(Value(L"Parameters", L"LegacyTakenOver"), L"(none)") << "recorded only for a sub-key that stays";
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
    Put(L"Pages", L"CON", L"0");  // a device name: its page comes under a name a file can have
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
    EXPECT_EQ(Value(L"Pages", L"CON_"), L"0*Arial*0*10*0*0*1*");
    EXPECT_FALSE(KeyThere(Legacy() + L"\\Pages"));
    ASSERT_EQ(f.form->PageCount(), 2);
    f.form->ShowMenuClick();
    EXPECT_NE(TextOf(L"Notes").find(L"old notes"), std::wstring::npos);
    EXPECT_TRUE(test::Exists(f.PageFile(L"Notes")));
    EXPECT_FALSE(test::Exists(f.folder.Path() + L"Notes"));
}

TEST_F(LegacyMigration, NamesTheListCannotHoldComeUnderSafeNamesWithTheirFiles) {
    Put(L"Pages", L"Work", L"1");
    Put(L"Pages", L"[Work", L"255");  // "Work" is taken: the next free number
    Put(L"Pages", L";Ideas", L"65280");
    Put(L"Pages", L"Планы=2027 ", L"0");
    const std::wstring folder = f.folder.Path();
    test::WriteBytes(folder + L"[Work", "{\\rtf1\\ansi bracket work\\par}");
    test::WriteBytes(folder + L";Ideas.tvk", "{\\rtf1\\ansi ideas\\par}");
    test::WriteBytes(folder + L"Work.tvk", "{\\rtf1\\ansi plain work\\par}");
    Put(L"Pages", L";Photo", L"0");  // its name shared by a picture, which is no page
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    test::WriteBytes(folder + L";Photo", png);
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Pages", L"Work 2"), L"255*MS Sans Serif*0*10*0*0*1*");
    EXPECT_EQ(Value(L"Pages", L"Ideas"), L"65280*MS Sans Serif*0*10*0*0*1*");
    EXPECT_EQ(Value(L"Pages", L"Планы_2027"), L"0*MS Sans Serif*0*10*0*0*1*");
    const std::wstring text = test::ReadIniText(f.Ini());
    for (const wchar_t* raw : {L"[Work", L";Ideas", L"Планы="}) EXPECT_EQ(text.find(raw), std::wstring::npos) << raw;
    EXPECT_FALSE(KeyThere(Legacy() + L"\\Pages"));
    ASSERT_EQ(f.form->PageCount(), 5);
    f.form->ShowMenuClick();
    EXPECT_NE(TextOf(L"Work 2").find(L"bracket work"), std::wstring::npos);
    EXPECT_NE(TextOf(L"Ideas").find(L"ideas"), std::wstring::npos);
    EXPECT_NE(TextOf(L"Work").find(L"plain work"), std::wstring::npos);
    EXPECT_FALSE(test::Exists(folder + L"[Work"));
    EXPECT_FALSE(test::Exists(folder + L";Ideas.tvk"));
    EXPECT_EQ(test::ReadBytes(folder + L";Photo"), png);
    EXPECT_EQ(TextOf(L"Photo"), L"");
}

TEST_F(LegacyMigration, ASubKeyThatCannotBeDeletedIsNotTakenOverAgainOverNewerSettings) {
    Put(L"Parameters", L"MainWidth", L"600");
    Put(L"Pages", L"[Work", L"255");
    f.deleteLegacySubKey = [](HKEY, const wchar_t*) -> LSTATUS { return ERROR_ACCESS_DENIED; };
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Parameters", L"MainWidth"), L"600");
    EXPECT_EQ(Value(L"Pages", L"Work"), L"255*MS Sans Serif*0*10*0*0*1*");
    ASSERT_TRUE(KeyThere(Legacy() + L"\\Parameters"));
    ASSERT_TRUE(KeyThere(Legacy() + L"\\Pages"));
    EXPECT_EQ(Value(L"Parameters", L"LegacyTakenOver"), L"3");

    // The user goes on: a new width, the page deleted. The next start keeps both.
    ASSERT_TRUE(f.form->Ini().WriteString(L"Parameters", L"MainWidth", L"500"));
    ASSERT_TRUE(f.form->Ini().DeleteKey(L"Pages", L"Work"));
    f.Close();
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Value(L"Parameters", L"MainWidth"), L"500");
    EXPECT_EQ(Value(L"Pages", L"Work"), L"(none)");
    EXPECT_TRUE(log.texts.empty());
}

// SaveTo in a general folder: a file there that only shares a page's name stays the user's own.
TEST_F(LegacyMigration, OnlyFilesThatArePagesTakeTheExtension) {
    test::TempFolder documents;
    const std::wstring& general = documents.Path();
    const std::wstring& own = f.folder.Path();
    f.WriteIni(test::IniBuilder().Parameter("SaveTo", general).Page("README", "255*").Page("Notes", "255*"));
    const std::string readme = "# Project\r\n\r\nRead me first.\r\n";
    test::WriteBytes(general + L"README", readme);
    test::WriteBytes(general + L"Notes", "{\\rtf1\\ansi old notes\\par}");
    ASSERT_TRUE(f.Start());
    f.form->ShowMenuClick();
    for (int i = 0; i < f.form->PageCount(); ++i) (void)f.form->Editor(i);
    EXPECT_EQ(test::ReadBytes(general + L"README"), readme);
    EXPECT_FALSE(test::Exists(general + L"README.tvk"));
    EXPECT_TRUE(test::Exists(general + L"Notes.tvk"));

    // The program's own folder holds tavrik.ini: plain text there is an old page.
    f.Close();
    f.WriteIni(test::IniBuilder().Page("List", "255*"));
    test::WriteBytes(own + L"List", "milk\r\nbread\r\n");
    ASSERT_TRUE(f.Start());
    (void)f.form->Editor(0);
    EXPECT_EQ(test::ReadBytes(own + L"List.tvk"), "milk\r\nbread\r\n");
}

}  // namespace
