// Moving the page files to another folder: copied, checked, and only then taken from the old one.
#include <gtest/gtest.h>

#include "pages/page_folder_move.h"
#include "pages/page_file_look.h"
#include "pages/page_version_files.h"
#include "test_folder.h"

using namespace tavrik;
using pages::ExecuteFolderMove;
using pages::PlanFolderMove;
using pages::SameNames;
using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

namespace {

const std::string kRich = "{\\rtf1\\ansi\\deff0 first page\\par}";
// "Список покупок" in Windows-1251, as a plain page holds it.
const std::string kPlain = "\xD1\xEF\xE8\xF1\xEE\xEA \xEF\xEE\xEA\xF3\xEF\xEE\xEA";
const std::vector<std::wstring> kPages = {L"Notes.tvk", L"Покупки.tvk", L"Never saved.tvk"};

std::vector<std::wstring> Entries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L".." && name != L"mounted") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

class FolderMove : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(old.c_str(), nullptr);
        WriteBytes(old + L"Notes.tvk", kRich);
        WriteBytes(old + L"Покупки.tvk", kPlain);
    }
    void ExpectOldWhole() {
        EXPECT_EQ(ReadBytes(old + L"Notes.tvk"), kRich);
        EXPECT_EQ(ReadBytes(old + L"Покупки.tvk"), kPlain);
    }
    pages::FolderMoveResult Move(const std::wstring& typed, SameNames sameNames = SameNames::Refuse) {
        plan = PlanFolderMove(old, typed, kPages);
        return Execute(sameNames);
    }
    pages::FolderMoveResult Execute(SameNames sameNames) {
        return ExecuteFolderMove(plan, sameNames, [this](const std::wstring& folder) {
            stored.push_back(folder);
            return storeSucceeds;
        });
    }

    test::TempFolder root;
    std::wstring old = root.Path() + L"Заметки\\";
    pages::FolderMovePlan plan;
    std::vector<std::wstring> stored;
    bool storeSucceeds = true;
};

}  // namespace

TEST_F(FolderMove, MovesToAFolderThatIsThereButMakesNoneThatIsNot) {
    const std::wstring there = root.Path() + L"there\\";
    CreateDirectoryW(there.c_str(), nullptr);
    pages::FolderMoveResult result = Move(root.Path() + L"there");
    ASSERT_TRUE(result.moved);
    EXPECT_EQ(result.folderInUse, there);
    EXPECT_EQ(stored, std::vector<std::wstring>{there});
    EXPECT_EQ(plan.toMove, (std::vector<std::wstring>{L"Notes.tvk", L"Покупки.tvk"})) << "a page never saved has no file";
    EXPECT_EQ(ReadBytes(there + L"Notes.tvk"), kRich);
    EXPECT_EQ(ReadBytes(there + L"Покупки.tvk"), kPlain);
    EXPECT_EQ(Entries(there).size(), 2u) << "no temporary file is left";
    EXPECT_TRUE(Entries(old).empty());
    EXPECT_TRUE(result.notDeleted.empty());

    old = there;
    const std::wstring missing = root.Path() + L"new\\deeper\\";
    stored.clear();
    result = Move(missing);
    EXPECT_TRUE(plan.folderMissing);
    EXPECT_FALSE(result.moved);
    ASSERT_EQ(result.failed.size(), 2u) << "every page file is named";
    EXPECT_EQ(result.failed[1].fileName, L"Покупки.tvk");
    EXPECT_TRUE(stored.empty());
    EXPECT_FALSE(Exists(root.Path() + L"new")) << "no folder is made";
    EXPECT_EQ(Entries(there).size(), 2u);

    // With no page file to carry, a missing folder is still refused, not stored.
    result = ExecuteFolderMove(PlanFolderMove(old, missing, {L"Never saved.tvk"}), SameNames::Replace, nullptr);
    EXPECT_FALSE(result.moved);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].fileName, L"");
}

TEST_F(FolderMove, SameFolderUnderAnotherSpellingMovesAndDeletesNothing) {
    const std::wstring bare = old.substr(0, old.size() - 1);
    std::vector<std::wstring> spellings = {bare, old + L".\\", old + L"\\\\", bare + L".", old + L"..\\Заметки\\"};
    std::wstring upper = old;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));  // Latin and Cyrillic
    spellings.push_back(upper);
    std::wstring lower = old;
    CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    spellings.push_back(lower);
    for (const std::wstring& typed : spellings) {
        const pages::FolderMoveResult result = Move(typed, SameNames::Replace);
        EXPECT_TRUE(plan.sameFolder) << "typed " << typed.size() << " characters";
        EXPECT_FALSE(result.moved);
        EXPECT_TRUE(stored.empty());
        ExpectOldWhole();
        EXPECT_EQ(Entries(old).size(), 2u);
        EXPECT_EQ(Entries(root.Path()).size(), 1u) << "no second folder was made";
    }
    wchar_t shortName[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(old.c_str(), shortName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || app::SameFileName(old, shortName))
        GTEST_SKIP() << "this file system gives the folder no short 8.3 name";
    Move(shortName, SameNames::Replace);
    EXPECT_TRUE(plan.sameFolder);
    ExpectOldWhole();
}

TEST_F(FolderMove, FilesAlreadyThereAreNamedBeforeAnythingIsTouched) {
    const std::wstring there = root.Path() + L"there\\";
    CreateDirectoryW(there.c_str(), nullptr);
    WriteBytes(there + L"ПОКУПКИ.tvk", "someone else's");
    pages::FolderMoveResult result = Move(there, SameNames::Refuse);
    EXPECT_EQ(plan.existing, std::vector<std::wstring>{L"Покупки.tvk"});
    EXPECT_FALSE(result.moved);
    EXPECT_TRUE(stored.empty());
    ExpectOldWhole();
    EXPECT_EQ(Entries(there), std::vector<std::wstring>{L"ПОКУПКИ.tvk"});
    EXPECT_EQ(ReadBytes(there + L"ПОКУПКИ.tvk"), "someone else's");

    result = Move(there, SameNames::Replace);
    ASSERT_TRUE(result.moved);
    EXPECT_EQ(ReadBytes(there + L"Покупки.tvk"), kPlain);
}

TEST_F(FolderMove, FailedReplaceGivesBackTheFilesItReplaced) {
    const std::wstring there = root.Path() + L"there\\";
    CreateDirectoryW(there.c_str(), nullptr);
    WriteBytes(there + L"Notes.tvk", "their notes");
    WriteBytes(there + L"Покупки.tvk", "their shopping");
    // Notes.tvk is replaced first; Покупки.tvk cannot be, as someone holds it open without
    // letting it be renamed or deleted.
    const HANDLE held = CreateFileW((there + L"Покупки.tvk").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const pages::FolderMoveResult result = Move(there, SameNames::Replace);
    CloseHandle(held);
    EXPECT_FALSE(result.moved);
    EXPECT_TRUE(stored.empty());
    ExpectOldWhole();
    EXPECT_EQ(ReadBytes(there + L"Notes.tvk"), "their notes");
    EXPECT_EQ(ReadBytes(there + L"Покупки.tvk"), "their shopping");
    EXPECT_EQ(Entries(there).size(), 3u) << "no temporary file is left, only the versions kept on the way";
}

TEST_F(FolderMove, TypedFoldersThatAreNoFoldersMoveNothing) {
    WriteBytes(root.Path() + L"a file", "x");
    for (const std::wstring& typed : {std::wstring(L""), std::wstring(L"\\"), std::wstring(L"notes"),
                                      std::wstring(L"C:notes"), root.Path() + L"a file"}) {
        const pages::FolderMoveResult result = Move(typed, SameNames::Replace);
        EXPECT_FALSE(plan.CanMove());
        EXPECT_FALSE(result.moved);
        EXPECT_EQ(result.folderInUse, old);
        ExpectOldWhole();
    }
    EXPECT_TRUE(stored.empty());
}

TEST_F(FolderMove, FailureOnTheWayLeavesEveryOldFileWholeAndNoPartialCopy) {
    // SaveTo cannot be written: the complete copies are taken back.
    const std::wstring there = root.Path() + L"there\\";
    storeSucceeds = false;
    pages::FolderMoveResult result = Move(there);
    EXPECT_FALSE(result.moved);
    EXPECT_EQ(result.folderInUse, old);
    ExpectOldWhole();
    EXPECT_FALSE(Exists(there)) << "the folder made for the move goes with it";
    storeSucceeds = true;

    wchar_t volume[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TAVRIK_SMALL_VOLUME", volume, MAX_PATH) ||
        !Exists(std::wstring(volume) + L"mounted"))
        GTEST_SKIP() << "no small volume: CTest mounts one when the tests run as root";
    // Two pages of 400 KB fit on the 1 MB volume, the third does not.
    const std::string big(size_t{400} * 1024, 'x');
    const std::vector<std::wstring> names = {L"A.tvk", L"B.tvk", L"C.tvk"};
    for (const std::wstring& name : names) WriteBytes(old + name, big);
    stored.clear();
    plan = PlanFolderMove(old, volume, names);
    result = ExecuteFolderMove(plan, SameNames::Refuse, [this](const std::wstring& folder) {
        stored.push_back(folder);
        return true;
    });
    const std::vector<std::wstring> left = Entries(volume);
    for (const std::wstring& name : left) DeleteFileW((std::wstring(volume) + name).c_str());
    EXPECT_FALSE(result.moved);
    ASSERT_FALSE(result.failed.empty());
    EXPECT_EQ(result.failed.front().error, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_TRUE(stored.empty());
    EXPECT_TRUE(left.empty()) << "neither a copy nor a temporary file stays on the volume";
    for (const std::wstring& name : names) EXPECT_EQ(ReadBytes(old + name), big);
}

// Whichever copy the user picks, the other is kept as a version of the page in the new folder.
TEST_F(FolderMove, SameNamedFilesAreKeptAsVersionsWhicheverCopyWins) {
    struct Case {
        SameNames choice;
        std::string page, version;  // what Покупки.tvk in the new folder and its one version hold after
        std::vector<std::wstring> taken;
    };
    const Case cases[] = {
        {SameNames::Replace, kPlain, "their shopping", {}},
        {SameNames::UseTheirs, "their shopping", kPlain, {L"Покупки.tvk"}},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::wstring there = root.Path() + L"there" + std::to_wstring(static_cast<int>(c.choice)) + L"\\";
        CreateDirectoryW(there.c_str(), nullptr);
        WriteBytes(there + L"Покупки.tvk", "their shopping");
        const pages::FolderMoveResult result = Move(there, c.choice);
        ASSERT_TRUE(result.moved);
        EXPECT_EQ(result.taken, c.taken);
        EXPECT_EQ(ReadBytes(there + L"Notes.tvk"), kRich);
        EXPECT_EQ(ReadBytes(there + L"Покупки.tvk"), c.page);
        const auto versions = pages::ListVersions({there, {}}, L"Покупки");
        ASSERT_EQ(versions.size(), 1u);
        EXPECT_EQ(ReadBytes(versions[0].path), c.version);
        EXPECT_TRUE(Entries(old).empty());
    }
}

// A page never saved writes its first file under its name: one there is asked about like any other.
TEST_F(FolderMove, PageWithoutAFileIsCheckedAgainstTheNewFolder) {
    const std::wstring there = root.Path() + L"there\\";
    CreateDirectoryW(there.c_str(), nullptr);
    WriteBytes(there + L"Never saved.tvk", "theirs");
    pages::FolderMoveResult result = Move(there);
    EXPECT_EQ(plan.existing, std::vector<std::wstring>{L"Never saved.tvk"});
    EXPECT_FALSE(result.moved);

    result = Move(there, SameNames::UseTheirs);
    ASSERT_TRUE(result.moved);
    EXPECT_EQ(result.taken, std::vector<std::wstring>{L"Never saved.tvk"});
    EXPECT_EQ(ReadBytes(there + L"Never saved.tvk"), "theirs");

    old = there;
    const std::wstring third = root.Path() + L"third\\";
    CreateDirectoryW(third.c_str(), nullptr);
    DeleteFileW((there + L"Never saved.tvk").c_str());
    WriteBytes(third + L"Never saved.tvk", "theirs again");
    result = Move(third, SameNames::Replace);
    ASSERT_TRUE(result.moved);
    EXPECT_FALSE(Exists(third + L"Never saved.tvk")) << "the page's first save finds its name free";
    const auto versions = pages::ListVersions({third, {}}, L"Never saved");
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(ReadBytes(versions[0].path), "theirs again");
}

// The new folder's text reaches the old folder's files another way than the folder check saw
// (here another spelling, as a link or a share of the same disk would): the old file is the
// copy, and deleting it would delete the page.
TEST_F(FolderMove, OldFileThatIsItsOwnCopyIsNotDeleted) {
    for (const SameNames choice : {SameNames::UseTheirs, SameNames::Replace}) {
        plan = PlanFolderMove(old, root.Path(), kPages);
        std::wstring upper = old;
        CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
        plan.newFolder = upper;
        plan.existing = plan.toMove;
        const pages::FolderMoveResult result = Execute(choice);
        EXPECT_TRUE(result.moved) << static_cast<int>(choice);
        ExpectOldWhole();
    }
}
