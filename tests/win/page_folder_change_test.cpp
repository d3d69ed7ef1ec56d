// The main window's move of every page file to the folder typed in the Options dialog.
#include <gtest/gtest.h>

#include "app/error_box.h"
#include "editor/page_editor.h"
#include "pages/page_version_files.h"
#include "test_folder.h"

#include <richedit.h>

using namespace tavrik;
using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

namespace {

constexpr std::string_view kRichPage = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Never opened\\par}";

class PageFolderChange : public test::FormTest {
protected:
    // Three pages: one with a file that is never opened, one opened and edited, one never saved.
    void Start(std::string_view language) {
        f.WriteIni(test::IniBuilder().Parameter("Language", language).Page("Kept", "1*").Page("Edited", "1*")
            .Page("Empty", "1*"));
        WriteBytes(f.PageFile(L"Kept"), kRichPage);
        WriteBytes(f.PageFile(L"Edited"), "before");
        ASSERT_TRUE(f.Start());
    }
    std::wstring SaveTo() {
        const std::wstring ini = test::ReadIniText(f.Ini());
        const size_t at = ini.find(L"SaveTo=");
        return at == std::wstring::npos ? L"" : ini.substr(at + 7, ini.find(L"\r\n", at) - at - 7);
    }
    void ExpectNothingMoved(const std::wstring& typed) {
        EXPECT_EQ(app::ToWide(Form().params.SaveTo), f.folder.Path()) << "typed " << typed.size() << " characters";
        EXPECT_EQ(SaveTo(), L"");
        EXPECT_EQ(ReadBytes(f.PageFile(L"Kept")), kRichPage);
        EXPECT_TRUE(Exists(f.PageFile(L"Edited")));
    }

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

    log.answer = IDCANCEL;
    EXPECT_FALSE(Form().MoveSaveFolder(other.Path(), nullptr));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Kept: this copy "), std::wstring::npos) << "the question names the page";
    EXPECT_NE(log.texts[0].find(L"; in the new folder "), std::wstring::npos);
    EXPECT_NE(log.texts[0].find(L" 14 bytes"), std::wstring::npos) << "with the sizes";
    EXPECT_EQ(log.flags[0] & (MB_YESNOCANCEL | MB_DEFBUTTON3), static_cast<UINT>(MB_YESNOCANCEL | MB_DEFBUTTON3));
    EXPECT_EQ(ReadBytes(other.Path() + L"KEPT.tvk"), "someone else's");
    ExpectNothingMoved(other.Path());

    log.answer = IDYES;
    ASSERT_TRUE(Form().MoveSaveFolder(other.Path(), nullptr));
    EXPECT_EQ(log.texts.size(), 2u) << "asked again, nothing else said";
    EXPECT_EQ(app::ToWide(Form().params.SaveTo), other.Path());
    EXPECT_EQ(SaveTo(), other.Path());
    const auto replaced = pages::ListVersions({other.Path(), {}}, L"Kept");
    ASSERT_EQ(replaced.size(), 1u);
    EXPECT_EQ(ReadBytes(replaced[0].path), "someone else's") << "the replaced file is a version of its page";
    EXPECT_EQ(ReadBytes(other.Path() + L"Kept.tvk"), kRichPage) << "moved as a file, never opened";
    EXPECT_NE(ReadBytes(other.Path() + L"Edited.tvk").find("after"), std::string::npos);
    EXPECT_FALSE(Exists(other.Path() + L"Empty.tvk")) << "a page without a file has nothing to move";
    EXPECT_FALSE(Exists(f.PageFile(L"Kept")));
    EXPECT_FALSE(Exists(f.PageFile(L"Edited")));
    EXPECT_EQ(Form().PagePath(0), other.Path() + L"Kept.tvk");
}

TEST_F(PageFolderChange, MissingFolderIsNotMadeAndOneMessageNamesEveryFileWithItsReason) {
    Start("0");
    const std::wstring missing = other.Path() + L"not there\\";
    EXPECT_FALSE(Form().MoveSaveFolder(missing, nullptr));
    const std::wstring reason = app::SystemErrorText(ERROR_PATH_NOT_FOUND);
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(log.texts, std::vector<std::wstring>{L"Can't move these files:\r\n" + f.PageFile(L"Kept") + L": " + reason +
                                                   L"\r\n" + f.PageFile(L"Edited") + L": " + reason +
                                                   L"\r\nThe new save path will NOT be stored !"});
    EXPECT_EQ(log.captions, std::vector<std::wstring>{L"Error"});
    EXPECT_FALSE(Exists(missing));
    ExpectNothingMoved(missing);

    log.texts.clear();
    log.captions.clear();
    Form().params.Language = 1;
    EXPECT_FALSE(Form().MoveSaveFolder(missing, nullptr));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0].find(L"\u041D\u0435 \u043C\u043E\u0433\u0443 \u043F\u0435\u0440\u0435\u043D\u0435\u0441"
                                L"\u0442\u0438 \u044D\u0442\u0438 \u0444\u0430\u0439\u043B\u044B:"),
              0u);  // Не могу перенести эти файлы:
    EXPECT_EQ(log.captions[0], L"\u041E\u0448\u0438\u0431\u043A\u0430");  // Ошибка
}

// The third answer: the files already in the new folder are the pages from now on, the first-run
// page without a file of its own included; this copy's text is kept among each page's versions.
TEST_F(PageFolderChange, ThirdAnswerTakesTheFilesThereAsThePages) {
    Start("0");
    const HWND edited = Form().Editor(1);
    ASSERT_NE(edited, nullptr);
    SendMessageW(edited, EM_SETSEL, 0, -1);
    SendMessageW(edited, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ours"));
    WriteBytes(other.Path() + L"Edited.tvk", "theirs");
    WriteBytes(other.Path() + L"Empty.tvk", "first run elsewhere");
    ASSERT_NE(Form().Editor(2), nullptr);
    log.answer = IDNO;
    ASSERT_TRUE(Form().MoveSaveFolder(other.Path(), nullptr));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Empty: this copy no file yet; in the new folder "), std::wstring::npos);
    EXPECT_EQ(app::ToWide(Form().params.SaveTo), other.Path());
    EXPECT_EQ(editor::GetText(edited).find(L"theirs"), 0u);
    EXPECT_EQ(editor::GetText(Form().Editor(2)).find(L"first run elsewhere"), 0u);
    bool oursKept = false;
    for (const pages::VersionFile& version : pages::ListVersions({other.Path(), {}}, L"Edited"))
        oursKept = oursKept || ReadBytes(version.path).find("ours") != std::string::npos;
    EXPECT_TRUE(oursKept);
    EXPECT_EQ(ReadBytes(other.Path() + L"Kept.tvk"), kRichPage);
    EXPECT_FALSE(Exists(f.PageFile(L"Edited")));
    for (int i = 0; i < Form().PageCount(); ++i) (void)Form().SavePage(i);
    EXPECT_EQ(ReadBytes(other.Path() + L"Edited.tvk"), "theirs");
    EXPECT_EQ(ReadBytes(other.Path() + L"Empty.tvk"), "first run elsewhere");
}

// Yes replaces only what the question showed: a file that appears while it is open stops the move.
TEST_F(PageFolderChange, FileThatAppearsWhileAskedIsNotReplaced) {
    Start("0");
    WriteBytes(other.Path() + L"Kept.tvk", "someone else's");
    log.answer = IDYES;
    log.whileOpen = [this] {
        if (log.texts.size() == 1) WriteBytes(other.Path() + L"Edited.tvk", "synced in meanwhile");
    };
    EXPECT_FALSE(Form().MoveSaveFolder(other.Path(), nullptr));
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_NE(log.texts[1].find(f.PageFile(L"Edited") + L": " + app::SystemErrorText(ERROR_FILE_EXISTS)),
              std::wstring::npos);
    EXPECT_EQ(ReadBytes(other.Path() + L"Edited.tvk"), "synced in meanwhile");
    EXPECT_EQ(ReadBytes(other.Path() + L"Kept.tvk"), "someone else's");
    ExpectNothingMoved(other.Path());
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
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0].find(L"Can't move these files:\r\n" + f.PageFile(L"Empty") + L": "), 0u);
    EXPECT_FALSE(Exists(other.Path() + L"Kept.tvk"));
    ExpectNothingMoved(other.Path());
    RemoveDirectoryW(f.PageFile(L"Empty").c_str());
}
