// What a benchmark run leaves behind and how it stops: a folder and a registry key of its own,
// cleared also when the run fails, and the timing helpers the benchmarks share.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "app/tavrik_form.h"
#include "scratch_files.h"
#include "series.h"

namespace tavrik::test {

inline std::wstring g_folder;   // the run's folder, ending in a backslash
inline std::wstring g_keyRoot;  // the run's key under HKEY_CURRENT_USER

inline void ClearScratch() {
    if (!g_folder.empty()) RemoveTree(g_folder);
    if (g_keyRoot.empty()) return;
    (void)RegDeleteTreeW(HKEY_CURRENT_USER, g_keyRoot.c_str());
    (void)RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TavrikBench");  // only when empty
}

// A form over the run's folder, as if tavrik.exe lay there, with a Run key of the run's own.
inline app::AppEnvironment BenchEnvironment() {
    app::AppEnvironment env;
    env.programPath = g_folder + L"tavrik.exe";
    env.programFolder = g_folder;
    env.runRoot = HKEY_CURRENT_USER;
    env.runKeyPath = g_keyRoot + L"\\Run";
    env.legacyKeyPath = g_keyRoot + L"\\Legacy";
    env.osVersion = 8;
    return env;
}

[[noreturn]] inline void Fail(const char* what) {
    ClearScratch();
    std::printf("benchmark failed: %s\n", what);
    std::fflush(stdout);
    ExitProcess(1);
}

inline double NowMs() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

inline double TimeMs(const std::function<void()>& work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

inline double Worst(const Series& series) { return *std::max_element(series.values.begin(), series.values.end()); }

inline LONG TextLength(HWND editor) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<LONG>(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// A key typed at the caret, so that the next save has a change to write.
inline void TypeKey(HWND editor) {
    const LONG before = TextLength(editor);
    SendMessageW(editor, WM_CHAR, L'x', 1);
    if (TextLength(editor) != before + 1) Fail("a typed key did not reach the page");
}

// EM_STREAMOUT's callback into an open file.
inline DWORD CALLBACK WriteToHandle(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    DWORD written = 0;
    const BOOL ok = WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &written, nullptr);
    *done = static_cast<LONG>(written);
    return ok && written == static_cast<DWORD>(size) ? 0 : 1;
}

inline std::string ReadBytes(const std::wstring& path) { return ReadFileBytes(path).value_or(""); }

}  // namespace tavrik::test
