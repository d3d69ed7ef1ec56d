// The window's menus: captions in both languages, the language items and the menu bar toggles.
#include <gtest/gtest.h>

#include "app/text.h"
#include "test_folder.h"
#include "ui/language_tables.h"

using namespace tavrik;

namespace {

class Composition : public ::testing::Test {
protected:
    void StartWith(std::string_view parameters) {
        test::WriteAnsiIni(f.Ini(), std::string("[Parameters]\r\n") + std::string(parameters) + "\r\n");
        ASSERT_TRUE(f.Start());
    }
    const ui::MenuSet& Menus() { return f.form->Menus(); }
    std::wstring WindowCaption() {
        wchar_t text[64] = {};
        GetWindowTextW(f.form->Handle(), text, 64);
        return text;
    }
    // Every menu component of the caption table carries its text in that language.
    void ExpectEveryCaptionIn(ui::Language language) {
        for (const ui::ComponentText& row : ui::MainWindowCaptions()) {
            if (row.component == ui::kApplicationComponent || row.component == ui::kMainFormComponent) continue;
            EXPECT_EQ(Menus().Caption(row.component), app::ToWide(row.text.In(language)))
                << app::ToWide(row.component).size() << " characters long component";
        }
        EXPECT_EQ(WindowCaption(), app::ToWide(ui::ProductName(language)));
    }

    test::MessageLog log;
    test::FormInFolder f;
};

}  // namespace

TEST_F(Composition, MissingLanguageStartsRussianWithItsItemChecked) {
    StartWith("");
    ExpectEveryCaptionIn(ui::Language::Russian);
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::Russian));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::English));
}

TEST_F(Composition, UnknownLanguageIsEnglishWithNeitherItemChecked) {
    StartWith("Language=5");
    ExpectEveryCaptionIn(ui::Language::English);
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::Russian));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::English));
    f.form->RussianLangMenuItemClick();
    EXPECT_EQ(f.form->Ini().ReadString(L"Parameters", L"Language"), L"1");
}

TEST_F(Composition, SwitchingRenamesEverythingAtOnceAndIsStored) {
    StartWith("Language=1");
    f.form->EnglishLangMenuItemClick();
    ExpectEveryCaptionIn(ui::Language::English);  // the hidden copy-link item included
    EXPECT_FALSE(Menus().IsVisible(u"CopyHiperlinkMenu"));
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::English));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::Russian));
    EXPECT_EQ(f.form->Ini().ReadString(L"Parameters", L"Language"), L"0");
    f.form->RussianLangMenuItemClick();
    ExpectEveryCaptionIn(ui::Language::Russian);
    EXPECT_EQ(Menus().Caption(u"EnglishLangMenuItem"), L"&English");
    EXPECT_EQ(Menus().Caption(u"ExitMenu"), L"Exit");
}

TEST_F(Composition, MenuBarHidesAndComesBackFromTheEditorMenu) {
    StartWith("");
    EXPECT_EQ(GetMenu(f.form->Handle()), Menus().Main());
    f.form->MainMenuItemClick();
    EXPECT_EQ(GetMenu(f.form->Handle()), nullptr);
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::ShowMainMenu));
    f.form->PopupMenu1Popup();
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::ShowMenuMenu));
    f.form->ShowMenuMenuClick();
    EXPECT_EQ(GetMenu(f.form->Handle()), Menus().Main());
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::ShowMainMenu));
}

TEST_F(Composition, CommandsWithoutTheirWorkAreDisabled) {
    StartWith("");
    const auto enabled = [&](HMENU menu, ui::Cmd cmd) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(cmd), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    };
    EXPECT_FALSE(enabled(Menus().Main(), ui::Cmd::Open));
    EXPECT_FALSE(enabled(Menus().Main(), ui::Cmd::Replace));
    EXPECT_FALSE(enabled(Menus().Main(), ui::Cmd::Close));
    EXPECT_TRUE(enabled(Menus().Main(), ui::Cmd::Help));
    EXPECT_TRUE(enabled(Menus().Main(), ui::Cmd::English));
    for (ui::Cmd cmd : {ui::Cmd::Open, ui::Cmd::Replace, ui::Cmd::NewPage, ui::Cmd::Options, ui::Cmd::Print})
        EXPECT_FALSE(f.form->CommandAvailable(cmd));
    // A command sent anyway does nothing.
    SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Open), 0);
}

TEST_F(Composition, PagesStepRoundTheRing) {
    test::WriteAnsiIni(f.Ini(), "[Pages]\r\nA=1*\r\nB=1*\r\nC=1*\r\n");
    ASSERT_TRUE(f.Start());
    f.form->FormShow();
    f.form->PrevPageButtonClick();
    EXPECT_EQ(f.form->TabIndex(), 2);
    f.form->NextPageButtonClick();
    EXPECT_EQ(f.form->TabIndex(), 0);
    EXPECT_TRUE(test::Exists(f.PageFile(L"C"))) << "the page left is saved";
}

TEST_F(Composition, ToolbarLayoutSurvivesARestart) {
    StartWith("");
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"StandartToolbar"));
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    f.form->StandardToolbarMenuItemClick();
    f.form->MainMenuItemClick();
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    f.Close();  // the layout is stored as the window goes
    ASSERT_TRUE(f.Start());
    EXPECT_FALSE(f.form->Toolbars().IsVisible(u"StandartToolbar"));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"PagesToolbar"));
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::PagesToolbar));
    EXPECT_EQ(GetMenu(f.form->Handle()), nullptr) << "the hidden menu bar stays hidden";
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::ShowMainMenu));
}

TEST_F(Composition, DamagedToolbarSectionsFallBackToTheDesignedLayout) {
    StartWith("[StandartToolbar]\r\nVisible=maybe\r\nDockedTo=TBDock4\r\nDockRow=0\r\nDockPos=6\r\n"
              "[PagesToolbar]\r\nVisible=0\r\nDockedTo=Nowhere\r\nDockRow=0\r\nDockPos=6\r\n"
              "[OptionsToolbar]\r\nVisible=0\r\nDockedTo=TBDock5\r\nDockRow=0\r\nDockPos=0");
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"StandartToolbar"));
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"PagesToolbar"));
    EXPECT_FALSE(f.form->Toolbars().IsVisible(u"OptionsToolbar"));
    EXPECT_EQ(f.form->Toolbars().PlaceOf(u"OptionsToolbar").dock, u"TBDock5");
}
