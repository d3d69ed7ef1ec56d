// Start-up benchmark: tavrik.exe against a bare rich-edit window started the same way, memory
// at rest with many pages, and the cost of leaving a large page. Wine's rich edit is much slower
// than Windows' own, so every figure is judged as a ratio to a baseline measured in the same run.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/unique.h"
#include "pages/page_file_look.h"
#include "rtf_writer.h"
#include "bench_run.h"
#include "scratch_files.h"
#include "series.h"

namespace {

using tavrik::test::RtfWriter;

constexpr int kRuns = 21;
constexpr int kSaveRuns = 7;
constexpr int kVersionsPerPage = 20;  // loading the page is slow under Wine, streaming it out is not
constexpr int kManyPages = 500;
constexpr size_t kPageBytes = size_t{20} * 1024;
constexpr size_t kBigPageBytes = size_t{1024} * 1024;
constexpr DWORD kTimeoutMs = 120000;

using tavrik::test::NowMs;

std::string Narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

[[noreturn]] void Fail(const std::string& what) {
    std::printf("benchmark failed: %s\n", what.c_str());
    std::fflush(stdout);
    ExitProcess(1);
}

struct StartFigures {
    double ms = 0;
    double tabsMs = 0;  // until the tab strip holds a tab for every page
    double workingSetMb = 0;
    double pagefileMb = 0;
};

struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    wchar_t name[64];
    if (owner != search->pid || !GetClassNameW(hwnd, name, 64) || lstrcmpiW(name, search->className) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND WindowOf(DWORD pid, const wchar_t* className) {
    WindowSearch search{pid, className, nullptr};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// From CreateProcess until the program waits in its message loop. Under Wine as on Windows,
// WaitForInputIdle returns only then: a probe that slept a second before its loop was seen
// idle after that second, not before. A message box would also count as idle, so one fails the run.
StartFigures StartAndClose(const std::wstring& exe, const wchar_t* className, const std::wstring& folder,
                           const std::wstring& environment, int pages = 0) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::wstring env = environment;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = NowMs();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        env.data(), folder.c_str(), &startup, &info))
        Fail("cannot start " + Narrow(exe) + ", error " + std::to_string(GetLastError()));
    const DWORD idle = WaitForInputIdle(info.hProcess, kTimeoutMs);
    StartFigures figures;
    figures.ms = NowMs() - start;
    if (idle != 0) Fail(Narrow(exe) + " never reached its message loop");

    const HWND window = WindowOf(info.dwProcessId, className);
    DWORD_PTR reply = 0;
    if (!window || !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &reply))
        Fail(Narrow(exe) + " has no answering window of class " + Narrow(className));
    if (WindowOf(info.dwProcessId, L"#32770")) Fail(Narrow(exe) + " shows a message box");
    // The program fills its tab strip once it is idle; at rest means after that.
    if (pages > 0) {
        // The strip itself is made then too.
        HWND tabs = nullptr;
        DWORD_PTR count = 0;
        while (NowMs() - start < kTimeoutMs) {
            if (!tabs) tabs = FindWindowExW(window, nullptr, L"SysTabControl32", nullptr);
            if (tabs && SendMessageTimeoutW(tabs, TCM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kTimeoutMs, &count) &&
                static_cast<int>(count) >= pages)
                break;
            Sleep(1);
        }
        figures.tabsMs = NowMs() - start;
        if (static_cast<int>(count) < pages) Fail(Narrow(exe) + " never showed all its tabs");
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory)) {
        figures.workingSetMb = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
        figures.pagefileMb = static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0);
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        Fail(Narrow(exe) + " did not end on WM_CLOSE");
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (code != 0) Fail(Narrow(exe) + " ended with exit code " + std::to_string(code));
    return figures;
}

using tavrik::test::Series;

// A newer last-write time, bytes untouched.
void Touch(const std::wstring& path) {
    const tavrik::app::UniqueFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) Fail("cannot touch the page file");
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    if (!SetFileTime(file.Get(), nullptr, nullptr, &now)) Fail("cannot touch the page file");
}

// One kind of start: its times and its memory at rest.
struct StartSeries {
    Series ms, tabsMs, workingSetMb, pagefileMb;
    void Add(const StartFigures& f) {
        ms.values.push_back(f.ms);
        tabsMs.values.push_back(f.tabsMs);
        workingSetMb.values.push_back(f.workingSetMb);
        pagefileMb.values.push_back(f.pagefileMb);
    }
};

void PrintRow(const char* figure, const Series& series, const char* unit) {
    std::printf("%-46s %10.1f %10.1f  %-3s\n", figure, series.Best(), series.Median(), unit);
}

// Rated on the best runs: the machine only ever adds time. The medians show how steady that is.
void PrintRatio(const char* figure, const Series& over, const Series& under, double target) {
    const double best = over.Best() / under.Best();
    std::printf("%-46s %10.2f %10.2f  <= %.1f  %s\n", figure, best, over.Median() / under.Median(), target,
                best <= target ? "met" : "MISSED");
}

DWORD CALLBACK AppendToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    *done = size;
    return 0;
}

std::string StreamOut(HWND editor) {
    std::string bytes;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&bytes), 0, AppendToString};
    SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return bytes;
}

double TimeMs(const std::function<void()>& work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

}  // namespace

int wmain() {
    const std::wstring bin = tavrik::test::ModuleFolder();
    const std::wstring tavrikExe = bin + L"tavrik.exe";
    const std::wstring floorExe = bin + L"tavrik_floor.exe";
    if (GetFileAttributesW(tavrikExe.c_str()) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesW(floorExe.c_str()) == INVALID_FILE_ATTRIBUTES)
        Fail("tavrik.exe and tavrik_floor.exe must lie beside the benchmark");
    if (FindWindowW(tavrik::app::TTavrikForm::kClassName, nullptr)) Fail("a copy of Tavrik is running");

    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = std::to_wstring(GetCurrentProcessId());
    const std::wstring root = std::wstring(temp) + L"tavrik_bench_" + unique + L"\\";
    const std::wstring keyRoot = L"Software\\TavrikBench\\" + unique;
    const std::wstring environment = tavrik::test::ChildEnvironment(keyRoot + L"\\Run");
    CreateDirectoryW(root.c_str(), nullptr);

    // 500 pages of about 20 KB of formatted text, each different.
    const std::wstring many = root + L"many\\";
    CreateDirectoryW(many.c_str(), nullptr);
    CopyFileW(tavrikExe.c_str(), (many + L"tavrik.exe").c_str(), FALSE);
    std::wstring ini = L"[Pages]\r\n";
    for (int i = 0; i < kManyPages; ++i) {
        const std::wstring name = L"Page " + std::to_wstring(i + 1);
        ini += name + L"=16777215*Arial*0*10*0*0*1*\r\n";
        if (!tavrik::test::WriteFileBytes(many + name + L".tvk", RtfWriter(static_cast<unsigned>(i) + 1).Page(kPageBytes)))
            Fail("cannot write the page files");
    }
    std::string iniBytes("\xFF\xFE");
    iniBytes.append(reinterpret_cast<const char*>(ini.data()), ini.size() * sizeof(wchar_t));
    if (!tavrik::test::WriteFileBytes(many + L"tavrik.ini", iniBytes)) Fail("cannot write the settings file");

    // The same 500 pages with 20 versions each, as a year of use leaves them: start-up must not
    // look at them.
    const std::wstring kept = root + L"versions\\";
    CreateDirectoryW(kept.c_str(), nullptr);
    CreateDirectoryW((kept + L"~versions").c_str(), nullptr);
    CopyFileW(tavrikExe.c_str(), (kept + L"tavrik.exe").c_str(), FALSE);
    CopyFileW((many + L"tavrik.ini").c_str(), (kept + L"tavrik.ini").c_str(), FALSE);
    for (int i = 0; i < kManyPages; ++i) {
        const std::wstring name = L"Page " + std::to_wstring(i + 1);
        std::wstring versions = kept;
        versions.append(L"~versions\\").append(name).append(L"\\");
        if (!CopyFileW((many + name + L".tvk").c_str(), (kept + name + L".tvk").c_str(), FALSE) ||
            !CreateDirectoryW(versions.c_str(), nullptr))
            Fail("cannot copy the pages for the versions");
        for (int v = 0; v < kVersionsPerPage; ++v) {
            wchar_t version[64];
            swprintf(version, 64, L"2026-11-%02d 10-00-00.000.tvk", v + 1);
            if (!tavrik::test::WriteFileBytes(versions + version, RtfWriter(static_cast<unsigned>(v) + 1).Page(512)))
                Fail("cannot write the versions");
        }
    }

    // The first of those pages alone: what one page of text costs, apart from the number of pages.
    const std::wstring single = root + L"single\\";
    CreateDirectoryW(single.c_str(), nullptr);
    CopyFileW(tavrikExe.c_str(), (single + L"tavrik.exe").c_str(), FALSE);
    if (!CopyFileW((many + L"Page 1.tvk").c_str(), (single + L"Page 1.tvk").c_str(), FALSE) ||
        !tavrik::test::WriteFileBytes(single + L"tavrik.ini", "[Pages]\r\nPage 1=16777215*Arial*0*10*0*0*1*\r\n"))
        Fail("cannot write the single page");

    // Each one-page start is a first run in a folder of its own, with no settings file yet. The
    // folders are made beforehand, so that no copying goes on right before a start.
    std::vector<std::wstring> onePageFolders;
    for (int i = 0; i <= kRuns; ++i) {
        onePageFolders.push_back(root + L"one" + std::to_wstring(i) + L"\\");
        CreateDirectoryW(onePageFolders.back().c_str(), nullptr);
        if (!CopyFileW(tavrikExe.c_str(), (onePageFolders.back() + L"tavrik.exe").c_str(), FALSE))
            Fail("cannot copy tavrik.exe");
    }

    // One round unmeasured, so that every program file is in the cache; then the four kinds of
    // start take turns, so that a slow spell of the machine falls on all of them alike.
    (void)StartAndClose(floorExe, L"TavrikFloor", root, environment);
    (void)StartAndClose(onePageFolders[kRuns] + L"tavrik.exe", L"TTavrikForm", onePageFolders[kRuns], environment);
    (void)StartAndClose(single + L"tavrik.exe", L"TTavrikForm", single, environment);
    (void)StartAndClose(many + L"tavrik.exe", L"TTavrikForm", many, environment);
    (void)StartAndClose(kept + L"tavrik.exe", L"TTavrikForm", kept, environment);
    StartSeries floor, one, singlePage, manyPages, manyVersions;
    for (int run = 0; run < kRuns; ++run) {
        floor.Add(StartAndClose(floorExe, L"TavrikFloor", root, environment));
        const std::wstring& folder = onePageFolders[static_cast<size_t>(run)];
        one.Add(StartAndClose(folder + L"tavrik.exe", L"TTavrikForm", folder, environment, 1));
        singlePage.Add(StartAndClose(single + L"tavrik.exe", L"TTavrikForm", single, environment, 1));
        manyPages.Add(StartAndClose(many + L"tavrik.exe", L"TTavrikForm", many, environment, kManyPages));
        manyVersions.Add(StartAndClose(kept + L"tavrik.exe", L"TTavrikForm", kept, environment, kManyPages));
    }

    // Leaving a page of 1 MB, in process: the program's save against the control's own stream
    // out and one write of it.
    const std::wstring saveFolder = root + L"save\\";
    CreateDirectoryW(saveFolder.c_str(), nullptr);
    const std::string bigPage = RtfWriter(7).Page(kBigPageBytes);
    if (!tavrik::test::WriteFileBytes(saveFolder + L"Big.tvk", bigPage) ||
        !tavrik::test::WriteFileBytes(saveFolder + L"tavrik.ini",
                    "[Pages]\r\nBig=16777215*Arial*0*10*0*0*1*\r\nSmall=16777215*Arial*0*10*0*0*1*\r\n"))
        Fail("cannot write the 1 MB page");
    std::vector<std::string> messages;
    tavrik::app::SetMessageSink([&](std::wstring_view text, std::wstring_view, UINT) {
        messages.push_back(Narrow(text));
        return IDOK;
    });
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Series createMs, saveMs, leaveMs, baselineMs, checkMs, touchedCheckMs;
    size_t streamedBytes = 0;
    {
        tavrik::app::AppEnvironment env;
        env.programPath = saveFolder + L"tavrik.exe";
        env.programFolder = saveFolder;
        env.runRoot = HKEY_CURRENT_USER;
        env.runKeyPath = keyRoot + L"\\InProcessRun";
        env.legacyKeyPath = keyRoot + L"\\InProcessLegacy";
        tavrik::app::TTavrikForm form(env);
        const double createStart = NowMs();
        if (!form.Create() || form.PageCount() != 2) Fail("the form with the 1 MB page did not come up");
        const HWND editor = form.Editor(0);
        createMs.values.push_back(NowMs() - createStart);
        if (!editor) Fail("no editor for the 1 MB page");
        const std::wstring baselinePath = saveFolder + L"baseline.rtf";
        for (int run = 0; run < kSaveRuns; ++run) {
            baselineMs.values.push_back(TimeMs([&] {
                const std::string rtf = StreamOut(editor);
                streamedBytes = rtf.size();
                if (!tavrik::test::WriteFileBytes(baselinePath, rtf)) Fail("cannot write the baseline file");
            }));
            // Only a changed page is written: one key typed before each, untimed.
            const auto change = [&] { SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x")); };
            change();
            saveMs.values.push_back(TimeMs([&] {
                if (!form.SavePage(0)) Fail("SavePage(0) failed");
            }));
            change();
            leaveMs.values.push_back(TimeMs([&] { (void)form.TabControl1Changing(); }));
            // The check each write begins with: the file as last written, then with only its time
            // touched, as sync clients do, so that its bytes are read and hashed.
            const std::wstring big = form.PagePath(0);
            const auto& known = form.Pages()[0].file;
            checkMs.values.push_back(TimeMs([&] {
                if (tavrik::pages::LookAtFile(big, known).now != tavrik::pages::FileNow::AsKnown) Fail("the check saw a change");
            }));
            Touch(big);
            touchedCheckMs.values.push_back(TimeMs([&] {
                if (tavrik::pages::LookAtFile(big, known).now != tavrik::pages::FileNow::AsKnown) Fail("a touch read as a change");
            }));
        }
        if (!messages.empty()) Fail("the program reported: " + messages.front());
    }
    WIN32_FILE_ATTRIBUTE_DATA saved{};
    GetFileAttributesExW((saveFolder + L"Big.tvk").c_str(), GetFileExInfoStandard, &saved);
    tavrik::app::SetMessageSink(nullptr);

    std::printf("Tavrik start-up benchmark under Wine: %d runs of each start after one unmeasured round,\n"
                "%d of each save. Targets are judged on the ratio of the best runs.\n\n",
                kRuns, kSaveRuns);
    std::printf("%-46s %10s %10s  %-3s\n", "figure", "best", "median", "");
    PrintRow("1 floor start-up (window + rich edit)", floor.ms, "ms");
    PrintRow("2 tavrik start-up, one empty page", one.ms, "ms");
    PrintRow("  tavrik start-up, one page of 20 KB", singlePage.ms, "ms");
    PrintRow("3 tavrik start-up, 500 pages of 20 KB", manyPages.ms, "ms");
    PrintRow("  the same with 20 versions of each page", manyVersions.ms, "ms");
    PrintRow("  until the tab strip holds 1 tab", one.tabsMs, "ms");
    PrintRow("  until the tab strip holds 500 tabs", manyPages.tabsMs, "ms");
    PrintRow("4 working set at rest, floor", floor.workingSetMb, "MB");
    PrintRow("4 working set at rest, one page", one.workingSetMb, "MB");
    PrintRow("  working set at rest, one page of 20 KB", singlePage.workingSetMb, "MB");
    PrintRow("4 working set at rest, 500 pages", manyPages.workingSetMb, "MB");
    PrintRow("4 pagefile usage at rest, floor", floor.pagefileMb, "MB");
    PrintRow("4 pagefile usage at rest, one page", one.pagefileMb, "MB");
    PrintRow("  pagefile usage at rest, one page of 20 KB", singlePage.pagefileMb, "MB");
    PrintRow("4 pagefile usage at rest, 500 pages", manyPages.pagefileMb, "MB");
    PrintRow("5 form with the 1 MB page (once, for scale)", createMs, "ms");
    PrintRow("5 baseline: EM_STREAMOUT + one WriteFile", baselineMs, "ms");
    PrintRow("5 SavePage(0) of the 1 MB page", saveMs, "ms");
    PrintRow("5 TabControl1Changing() on the 1 MB page", leaveMs, "ms");
    PrintRow("6 the check before a write, file as known", checkMs, "ms");
    PrintRow("6 the check, its time touched (read, hashed)", touchedCheckMs, "ms");
    std::printf("%-46s %10.0f %10.0f  KB\n", "  the 1 MB page streamed out / saved by SavePage",
                static_cast<double>(streamedBytes) / 1024.0, static_cast<double>(saved.nFileSizeLow) / 1024.0);
    std::printf("\n%-46s %10s %10s  %-8s\n", "ratio", "best", "median", "target");
    PrintRatio("2 one-page start-up / floor", one.ms, floor.ms, 1.5);
    PrintRatio("3 500-page start-up / one-page start-up", manyPages.ms, one.ms, 2.0);
    PrintRatio("3 500 pages with 20 versions each / without", manyVersions.ms, manyPages.ms, 1.1);
    PrintRatio("4 working set, 500 pages / one page", manyPages.workingSetMb, one.workingSetMb, 1.5);
    PrintRatio("4 pagefile usage, 500 pages / one page", manyPages.pagefileMb, one.pagefileMb, 1.5);
    PrintRatio("5 SavePage(0) / baseline", saveMs, baselineMs, 1.2);
    PrintRatio("5 TabControl1Changing() / baseline", leaveMs, baselineMs, 1.2);
    PrintRatio("6 the check before a write / SavePage(0)", checkMs, saveMs, 0.05);
    PrintRatio("6 the check of a touched file / SavePage(0)", touchedCheckMs, saveMs, 0.05);
    std::printf("\nFor scale, not rated: the tab strip gets its tabs once the program is idle after start-up.\n");
    std::printf("%-46s %10.2f %10.2f\n", "  500 tabs in the strip / 1 tab in the strip",
                manyPages.tabsMs.Best() / one.tabsMs.Best(), manyPages.tabsMs.Median() / one.tabsMs.Median());
    std::printf("\nFor scale, not rated: against a single page that holds 20 KB of text.\n");
    std::printf("%-46s %10.2f %10.2f\n", "  500-page start-up / one 20 KB page start-up",
                manyPages.ms.Best() / singlePage.ms.Best(), manyPages.ms.Median() / singlePage.ms.Median());
    std::printf("%-46s %10.2f %10.2f\n", "  pagefile usage, 500 pages / one 20 KB page",
                manyPages.pagefileMb.Best() / singlePage.pagefileMb.Best(),
                manyPages.pagefileMb.Median() / singlePage.pagefileMb.Median());
    std::fflush(stdout);

    tavrik::test::RemoveTree(root);
    (void)RegDeleteTreeW(HKEY_CURRENT_USER, keyRoot.c_str());
    (void)RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TavrikBench");  // only when empty
    return 0;
}
