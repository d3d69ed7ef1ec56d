// Page files no page lists: found at start-up and after a change of folder, and taken in as pages,
// beside their page, or sent to the Recycle Bin; New page offering such a file.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "editor/page_editor.h"
#include "pages/recycle_bin.h"
#include "pages/unlisted_pages_dialog.h"
#include "test_folder.h"

#include <commctrl.h>

#include <algorithm>
#include <deque>

using namespace tavrik;

namespace {

using Names = std::vector<std::wstring>;

// Rich text as another computer's copy of the program would have written it.
constexpr std::string_view kShopping = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Milk and bread\\par}\r\n";
constexpr std::string_view kConflict = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Notes written on the laptop\\par}\r\n";
constexpr std::string_view kPlan = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Plan for version 1.2\\par}\r\n";
const std::wstring kDropboxCopy = L"Notes (Anna's conflicted copy 2026-12-09).tvk";

class UnlistedPages : public test::FormTest {
protected:
    UnlistedPages() {
        pages::SetRecycleBinHook([this](const std::wstring& path) {
            recycled.push_back(path);
            return DeleteFileW(path.c_str()) != FALSE;  // nothing of the tests in the user's own bin
        });
    }
    ~UnlistedPages() override {
        pages::SetRecycleBinHook({});
        pages::SetUnlistedPagesHook({});
        app::SetDialogHooks({});
    }
    void Start() {
        test::WriteBytes(f.PageFile(L"Notes"), "Page Notes");
        test::WriteBytes(f.PageFile(L"Work"), "Page Work");
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameter("StartPage", 0).Page("Notes").Page(
            "Work", "255*Arial*0*10*0*0*1*"));
        (void)Form().TabControl();
        Form().SwitchToPage(Form().TabIndex());  // the start page read, as when the window comes up
    }
    bool MenuItemEnabled() {
        const UINT state = GetMenuState(Form().Menus().Main(), static_cast<UINT>(ui::Cmd::UnlistedPages), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    }

    std::vector<std::wstring> recycled;
};

// Selects the row of `file` in the dialog's list.
void SelectFile(HWND dialog, const std::wstring& file) {
    const HWND list = GetDlgItem(dialog, pages::kUnlistedListId);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = file.c_str();
    const auto item = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    ASSERT_GE(item, 0) << "not listed";
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

void Press(HWND dialog, WORD id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace

TEST_F(UnlistedPages, FilesFoundAtStartAreToldOnceAndTakenInWithTheirBytes) {
    test::WriteBytes(f.PageFile(L"Shopping"), kShopping);  // made on another computer
    test::WriteBytes(f.folder.Path() + kDropboxCopy, kConflict);
    test::WriteBytes(f.PageFile(L"Notes-LAPTOP"), "an older copy");
    test::WriteBytes(f.PageFile(L"v1.2 plan"), kPlan);  // a name no page may have
    test::WriteBytes(f.folder.Path() + L"Notes.tvk.~tvk12_34.tmp", "{\\rtf1 cut sh");  // a save cut short: ours
    Start();
    Names found = Form().UnlistedFiles();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Names{kDropboxCopy, L"Notes-LAPTOP.tvk", L"Shopping.tvk", L"v1.2 plan.tvk"}));
    EXPECT_NE(Caption().find(L"4 pages in the folder are not in the list"), std::wstring::npos) << Caption();
    EXPECT_TRUE(MenuItemEnabled());
    EXPECT_TRUE(log.texts.empty()) << "no box at the hidden start";

    std::vector<bool> besideEnabled;
    pages::SetUnlistedPagesHook([&](HWND dialog) {
        SelectFile(dialog, L"Shopping.tvk");
        besideEnabled.push_back(IsWindowEnabled(GetDlgItem(dialog, pages::kUnlistedBesideId)) != FALSE);
        Press(dialog, IDOK);
        SelectFile(dialog, kDropboxCopy);
        besideEnabled.push_back(IsWindowEnabled(GetDlgItem(dialog, pages::kUnlistedBesideId)) != FALSE);
        Press(dialog, pages::kUnlistedBesideId);
        SelectFile(dialog, L"Notes-LAPTOP.tvk");
        Press(dialog, pages::kUnlistedRecycleId);
        SelectFile(dialog, L"v1.2 plan.tvk");
        Press(dialog, IDOK);  // the last one closes the dialog
    });
    Form().UnlistedPagesMenuClick();
    EXPECT_EQ(besideEnabled, (std::vector<bool>{false, true})) << "only a conflict copy opens beside its page";

    const Names expected{L"Notes", L"Notes (conflict 2026-12-09)", L"Work", L"Shopping", L"v1_2 plan"};
    EXPECT_EQ(PageNames(), expected);
    EXPECT_EQ(ListedPages(), expected);
    EXPECT_EQ(Form().PageName(Form().TabIndex()), L"v1_2 plan") << "the page added last is shown";
    EXPECT_EQ(Form().Page(1).entry.color, 16777215) << "beside its page, in its colours";
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"Shopping")), kShopping);
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"Notes (conflict 2026-12-09)")), kConflict);
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"v1_2 plan")), kPlan);
    EXPECT_FALSE(test::Exists(f.folder.Path() + kDropboxCopy));
    EXPECT_FALSE(test::Exists(f.PageFile(L"v1.2 plan")));
    EXPECT_EQ(recycled, Names{f.PageFile(L"Notes-LAPTOP")});
    EXPECT_EQ(PageText(L"Shopping"), L"Milk and bread");
    EXPECT_TRUE(Form().UnlistedFiles().empty());
    EXPECT_EQ(Caption().find(L"not in the list"), std::wstring::npos) << Caption();
    EXPECT_FALSE(MenuItemEnabled());

    // What the user has looked at is not told again; a new file is.
    f.Close();
    test::WriteBytes(f.PageFile(L"Recipes"), kShopping);
    ASSERT_TRUE(f.Start());
    (void)Form().TabControl();  // the folder is looked at once the program is first idle
    EXPECT_EQ(Form().UnlistedFiles(), Names{L"Recipes.tvk"});
    EXPECT_NE(Caption().find(L"1 page in the folder is not in the list"), std::wstring::npos) << Caption();
}

TEST_F(UnlistedPages, NewPageWithAnUnlistedFilesNameOffersToOpenIt) {
    test::WriteBytes(f.PageFile(L"Shopping"), kShopping);
    Start();
    std::deque<std::optional<std::wstring>> answers{L"shopping", L"shopping"};
    app::SetDialogHooks({[&](std::wstring_view, std::wstring_view) -> std::optional<std::wstring> {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }, nullptr, nullptr});

    log.answer = IDNO;
    Form().NewPage1Click();
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_NE(log.texts[0].find(L"\"shopping.tvk\""), std::wstring::npos) << log.texts[0];
    EXPECT_EQ(log.flags[0] & MB_YESNO, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(log.texts[1], L"This name already exists !") << "No is the refusal it always was";
    EXPECT_EQ(PageNames(), (Names{L"Notes", L"Work"}));

    log.answer = IDYES;
    Form().NewPage1Click();
    EXPECT_EQ(PageNames(), (Names{L"Notes", L"Work", L"shopping"}));
    EXPECT_EQ(ListedPages(), (Names{L"Notes", L"Work", L"shopping"}));
    EXPECT_EQ(Form().TabIndex(), 2);
    EXPECT_EQ(PageText(L"shopping"), L"Milk and bread") << "the file is opened, not emptied";
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"Shopping")), kShopping);
    EXPECT_TRUE(Form().UnlistedFiles().empty());
}

TEST_F(UnlistedPages, ANewFolderOfThePagesIsLookedAt) {
    Start();
    EXPECT_TRUE(Form().UnlistedFiles().empty());
    const std::wstring other = f.folder.Path() + L"Synced\\";
    ASSERT_TRUE(CreateDirectoryW(other.c_str(), nullptr));
    test::WriteBytes(other + L"Notes.sync-conflict-20261209-101500-ABCDEFG.tvk", kConflict);
    ASSERT_TRUE(Form().MoveSaveFolder(other, Form().Handle()));
    EXPECT_EQ(Form().UnlistedFiles(), Names{L"Notes.sync-conflict-20261209-101500-ABCDEFG.tvk"});
    EXPECT_NE(Caption().find(L"1 page in the folder is not in the list"), std::wstring::npos) << Caption();
}
