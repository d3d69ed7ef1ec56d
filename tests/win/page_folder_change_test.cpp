// The main window's move of every page file to the folder typed in the Options dialog.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "test_folder.h"

#include <richedit.h>

using namespace tavrik;
using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

namespace {

constexpr std::string_view kRichPage = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Never opened\\par}";

class PageFolderChange : public ::testing::Test {
protected:
    // Three pages: one with a file that is never opened, one opened and edited, one never saved.
    void Start(std::string_view language) {
        test::WriteAnsiIni(f.Ini(), std::string("[Parameters]\r\nLanguage=") + std::string(language) +
                                        "\r\n[Pages]\r\nKept=1*\r\nEdited=1*\r\nEmpty=1*\r\n");
        WriteBytes(f.PageFile(L"Kept"), kRichPage);
        WriteBytes(f.PageFile(L"Edited"), "before");
        ASSERT_TRUE(f.Start());
    }
    app::TTavrikForm& Form() { return *f.form; }
    std::wstring SaveTo() {
        const std::wstring ini = test::ReadIniText(f.Ini());
        const size_t at = ini.find(L"SaveTo=");
        return at == std::wstring::npos ? L"" : ini.substr(at + 7, ini.find(L"\r\n", at) - at - 7);
    }
    void ExpectNothingMoved(const std::wstring& typed) {
        EXPECT_EQ(Form().SaveToFolder, f.folder.Path()) << "typed " << typed.size() << " characters";
        EXPECT_EQ(SaveTo(), L"");
        EXPECT_EQ(ReadBytes(f.PageFile(L"Kept")), kRichPage);
        EXPECT_TRUE(Exists(f.PageFile(L"Edited")));
    }

    test::MessageLog log;
    test::FormInFolder f;
    test::TempFolder other;
};

}  // namespace

TEST_F(PageFolderChange, MovesEveryFileWithItsLatestTextAfterAskingAboutFilesThere) {
    Start("0");
    const HWND edited = Form().Editor(1);
    ASSERT_NE(edited, nullptr);
    SendMessageW(edited, EM_SETSEL, 0, -1);
    SendMessageW(edited, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"after"));
    WriteBytes(other.Path() + L"KEPT.tvk", "someone else's");

    log.answer = IDNO;
    EXPECT_FALSE(Form().MoveSaveFolder(other.Path(), nullptr));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(other.Path() + L"Kept.tvk"), std::wstring::npos) << "the question names the file";
    EXPECT_EQ(log.flags[0] & MB_YESNO, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(ReadBytes(other.Path() + L"KEPT.tvk"), "someone else's");
    ExpectNothingMoved(other.Path());

    log.answer = IDYES;
    ASSERT_TRUE(Form().MoveSaveFolder(other.Path(), nullptr));
    EXPECT_EQ(log.texts.size(), 2u) << "asked again, nothing else said";
    EXPECT_EQ(Form().SaveToFolder, other.Path());
    EXPECT_EQ(SaveTo(), other.Path());
    EXPECT_EQ(ReadBytes(other.Path() + L"Kept.tvk"), kRichPage) << "moved as a file, never opened";
    EXPECT_NE(ReadBytes(other.Path() + L"Edited.tvk").find("after"), std::string::npos);
    EXPECT_FALSE(Exists(other.Path() + L"Empty.tvk")) << "a page without a file has nothing to move";
    EXPECT_FALSE(Exists(f.PageFile(L"Kept")));
    EXPECT_FALSE(Exists(f.PageFile(L"Edited")));
    EXPECT_EQ(Form().PagePath(0), other.Path() + L"Kept.tvk");
}

TEST_F(PageFolderChange, MissingFolderIsNotMadeAndEachPageFileSaysSoInItsLanguage) {
    Start("0");
    const std::wstring missing = other.Path() + L"not there\\";
    EXPECT_FALSE(Form().MoveSaveFolder(missing, nullptr));
    const std::vector<std::wstring> english = {
        L"Can't move file (Kept) !\rThe new save path will NOT be stored !",
        L"Can't move file (Edited) !\rThe new save path will NOT be stored !"};
    EXPECT_EQ(log.texts, english);
    EXPECT_EQ(log.captions, (std::vector<std::wstring>{L"Error", L"Error"}));
    EXPECT_EQ(log.flags, (std::vector<UINT>{MB_OK, MB_OK})) << "OK button, no icon";
    EXPECT_FALSE(Exists(missing));
    ExpectNothingMoved(missing);

    log.texts.clear();
    log.captions.clear();
    Form().Language = 1;
    EXPECT_FALSE(Form().MoveSaveFolder(missing, nullptr));
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_EQ(log.texts[0],
              L"\u041D\u0435 \u043C\u043E\u0433\u0443 \u043F\u0435\u0440\u0435\u043D\u0435\u0441\u0442\u0438 "
              L"\u0444\u0430\u0439\u043B (Kept) !\r\u041F\u0443\u0442\u044C \u0441\u043E\u0445\u0440\u0430\u043D"
              L"\u0435\u043D\u0438\u044F \u043D\u0435 \u0431\u0443\u0434\u0435\u0442 \u0438\u0437\u043C\u0435"
              L"\u043D\u0435\u043D !");  // Не могу перенести файл (Kept) ! / Путь сохранения не будет изменен !
    EXPECT_EQ(log.captions[0], L"\u041E\u0448\u0438\u0431\u043A\u0430");  // Ошибка
}

TEST_F(PageFolderChange, SameFolderUnderAnotherSpellingTouchesNothing) {
    Start("0");
    const HWND edited = Form().Editor(1);
    ASSERT_NE(edited, nullptr);
    SendMessageW(edited, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"unsaved "));
    const std::wstring& folder = f.folder.Path();
    std::wstring upper = folder;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    const std::wstring leaf = folder.substr(folder.rfind(L'\\', folder.size() - 2) + 1);
    const std::wstring iniBefore = test::ReadIniText(f.Ini());
    for (const std::wstring& typed : {upper, folder + L".\\", std::wstring(folder).append(L"..\\").append(leaf)}) {
        EXPECT_FALSE(Form().MoveSaveFolder(typed, nullptr));
        ExpectNothingMoved(typed);
    }
    EXPECT_EQ(ReadBytes(f.PageFile(L"Edited")), "before") << "not even saved";
    EXPECT_EQ(test::ReadIniText(f.Ini()), iniBefore);
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PageFolderChange, UnreachablePageFileStopsTheMoveNamingItsPage) {
    Start("0");
    // A folder where the page's file should be: the page shows why it cannot be read.
    CreateDirectoryW(f.PageFile(L"Empty").c_str(), nullptr);
    ASSERT_NE(Form().Editor(2), nullptr);
    ASSERT_TRUE(Form().Page(2).unreadable);
    log.texts.clear();
    EXPECT_FALSE(Form().MoveSaveFolder(other.Path(), nullptr));
    EXPECT_EQ(log.texts, std::vector<std::wstring>{L"Can't move file (Empty) !\rThe new save path will NOT be stored !"});
    EXPECT_FALSE(Exists(other.Path() + L"Kept.tvk"));
    ExpectNothingMoved(other.Path());
    RemoveDirectoryW(f.PageFile(L"Empty").c_str());
}
