// Moving 500 page files of 20 KB to another folder against the floor: CopyFileW, a comparison of
// both files and DeleteFileW of the same files, done by hand in the same run.
#include <cstdio>
#include <string>
#include <vector>

#include "bench_run.h"
#include "pages/page_folder_move.h"

using namespace tavrik;
using namespace tavrik::test;

namespace {

constexpr int kPages = 500;
constexpr int kRounds = 5;

std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (int i = 0; i < kPages; ++i) names.push_back(L"Страница " + std::to_wstring(i) + L".tvk");
    return names;
}

void MakePages(const std::wstring& folder, const std::vector<std::wstring>& names) {
    CreateDirectoryW(folder.c_str(), nullptr);
    std::string bytes = "{\\rtf1\\ansi ";
    while (bytes.size() < 20 * 1024 - 1) bytes += "Lorem ipsum dolor sit amet \\par ";
    bytes.resize(20 * 1024 - 1);
    bytes += "}";
    for (const std::wstring& name : names)
        if (!WriteFileBytes(folder + name, bytes)) Fail("cannot write a page file");
}

void ByHand(const std::wstring& from, const std::wstring& to, const std::vector<std::wstring>& names) {
    CreateDirectoryW(to.c_str(), nullptr);
    for (const std::wstring& name : names) {
        if (!CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE)) Fail("CopyFileW");
        if (ReadBytes(from + name) != ReadBytes(to + name)) Fail("the copy differs");
    }
    for (const std::wstring& name : names)
        if (!DeleteFileW((from + name).c_str())) Fail("DeleteFileW");
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    g_folder = std::wstring(temp) + L"tavrik_bench_" + UniqueName() + L"\\";
    CreateDirectoryW(g_folder.c_str(), nullptr);
    const std::vector<std::wstring> names = Names();
    Series engine, floor;
    for (int round = 0; round < kRounds; ++round) {
        const std::wstring a = g_folder + L"a" + std::to_wstring(round) + L"\\";
        const std::wstring b = g_folder + L"b" + std::to_wstring(round) + L"\\";
        const std::wstring c = g_folder + L"c" + std::to_wstring(round) + L"\\";
        MakePages(a, names);
        floor.values.push_back(TimeMs([&] { ByHand(a, c, names); }));
        MakePages(a, names);
        CreateDirectoryW(b.c_str(), nullptr);  // the move makes no folder
        engine.values.push_back(TimeMs([&] {
            const pages::FolderMovePlan plan = pages::PlanFolderMove(a, b, names);
            const pages::FolderMoveResult result =
                pages::ExecuteFolderMove(plan, false, [](const std::wstring&) { return true; });
            if (!result.moved || result.copied.size() != names.size()) Fail("the move failed");
        }));
        RemoveTree(a);
        RemoveTree(b);
        RemoveTree(c);
    }
    std::printf("moving %d page files of 20 KB, best of %d (median)\n", kPages, kRounds);
    std::printf("  by hand (CopyFileW + compare + DeleteFileW)  %8.1f ms  (%.1f)\n", floor.Best(), floor.Median());
    std::printf("  page folder move                             %8.1f ms  (%.1f)\n", engine.Best(), engine.Median());
    std::printf("  ratio %.2f (at most 1.5)\n", engine.Best() / floor.Best());
    ClearScratch();
    return engine.Best() / floor.Best() <= 1.5 ? 0 : 2;
}
