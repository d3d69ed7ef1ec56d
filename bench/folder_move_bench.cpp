// Moving 500 never-opened page files of 20 KB to another folder through the main window, as the
// Options dialog's Apply does it, against the floor: CopyFileW, a comparison of both files and
// DeleteFileW of the same files, done by hand in the same run.
#include <cstdio>
#include <string>
#include <vector>

#include "bench_run.h"
#include "app/error_box.h"
#include "settings/settings_file.h"

using namespace tavrik;
using namespace tavrik::test;

namespace {

constexpr int kPages = 500;
constexpr int kRounds = 9;

std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    names.reserve(kPages);
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

// A main window over `from` with one page for each file, none of them opened yet.
void WriteSettings(const std::wstring& from, const std::vector<std::wstring>& names) {
    settings::WideEntries pages;
    for (const std::wstring& name : names) pages.emplace_back(name.substr(0, name.size() - 4), L"16777215*");
    const settings::IniFile ini(g_folder + L"tavrik.ini");
    const bool written = ini.Edit([&](settings::IniEdit& edit) {
        edit.WriteString(L"Parameters", L"SaveTo", from);
        edit.ReplaceSection(L"Pages", pages);
    });
    if (!written) Fail("cannot write tavrik.ini");
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    g_folder = std::wstring(temp) + L"tavrik_bench_" + UniqueName() + L"\\";
    CreateDirectoryW(g_folder.c_str(), nullptr);
    g_keyRoot = L"Software\\TavrikBench\\" + UniqueName();
    app::SetMessageSink([](std::wstring_view, std::wstring_view, UINT) {
        Fail("the move showed a message");
        return IDOK;
    });
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
        WriteSettings(a, names);
        {
            app::AppEnvironment env = BenchEnvironment();
            env.trayIcon = false;
            app::TTavrikForm form(env);
            if (!form.Create() || form.PageCount() != kPages) Fail("the form with its pages did not come up");
            engine.values.push_back(TimeMs([&] {
                if (!form.MoveSaveFolder(b, nullptr) || tavrik::app::ToWide(form.params.SaveTo) != b)
                    Fail("the move failed");
            }));
        }
        if (!ReadBytes(b + names.back()).size() || ReadBytes(a + names.back()).size()) Fail("the files did not move");
        RemoveTree(a);
        RemoveTree(b);
        RemoveTree(c);
    }
    std::printf("moving %d page files of 20 KB, best of %d (median)\n", kPages, kRounds);
    std::printf("  by hand (CopyFileW + compare + DeleteFileW)  %8.1f ms  (%.1f)\n", floor.Best(), floor.Median());
    std::printf("  MoveSaveFolder                               %8.1f ms  (%.1f)\n", engine.Best(), engine.Median());
    std::printf("  ratio %.2f (at most 1.5)\n", engine.Best() / floor.Best());
    ClearScratch();
    return engine.Best() / floor.Best() <= 1.5 ? 0 : 2;
}
