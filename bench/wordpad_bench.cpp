// Tavrik beside the WordPad that Wine ships in every prefix, both on the same rich-edit control:
// cold start to a typable window on an empty document, on 20 KB and on 1 MB of the same RTF, and
// memory at rest with the 1 MB open. The two programs take turns in every round, so a slow spell
// of the shared machine falls on both alike; each figure is rated on the median of the rounds'
// ratios.
//
// Typable means: a top-level window of the started process is in front, its focused control is a
// rich edit, and that control holds the whole document. Tavrik starts hidden in its tray, so its
// time runs from CreateProcess to its message loop (WaitForInputIdle), then through the hot key as
// the system delivers it (WM_HOTKEY posted to its window, the message a key press brings) to the
// same typable state. WordPad gets the file on its command line, Tavrik the same bytes as the page
// file of its only page, in a program folder of its own with its own tavrik.ini.
//
// Wine's rich edit spends most of a large document's memory on its lines, so a narrower editor
// wraps into more of them and costs more (some 6 MB more for 1 MB of RTF at 400 px than at 800 px).
// Tavrik runs both at WordPad's window size (the two programs' own share, like for like) and at its
// own small default size (what a user gets); the targets apply to both.
//
// Saving after one character, on the 20 KB document: a key typed into the editor, then WordPad's
// Ctrl+S or Tavrik's hot key, whose hide writes the page; timed until the file has changed, the
// program answers again and, for Tavrik, its window is hidden.
#include <windows.h>
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "app/tavrik_form.h"
#include "rtf_writer.h"
#include "bench_run.h"
#include "scratch_files.h"
#include "series.h"

namespace {

using tavrik::test::Series;

constexpr int kRounds = 7;  // a number on the command line gives another, for a quick look
constexpr DWORD kSettleMs = 1000;  // idle time before memory is read "at rest"
constexpr double kTimeoutMs = 120000;
constexpr size_t kMidBytes = size_t{20} * 1024;
constexpr size_t kBigBytes = size_t{1024} * 1024;
constexpr double kStartTarget = 1.0;   // cold start, Tavrik / WordPad
constexpr double kMemoryTarget = 1.05;  // pagefile usage at rest with 1 MB open, Tavrik / WordPad

std::wstring g_root;

using tavrik::test::NowMs;

[[noreturn]] void Fail(const std::string& what) {
    std::printf("benchmark failed: %s\n", what.c_str());
    std::fflush(stdout);
    if (!g_root.empty()) tavrik::test::RemoveTree(g_root);
    ExitProcess(1);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    return name;
}

struct WindowSearch {
    DWORD pid;
    const wchar_t* className;  // nullptr: any visible top-level window
    HWND found;
    bool visible = false;  // with a class: only a visible one
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid) return TRUE;
    if (search->className && lstrcmpiW(ClassOf(hwnd).c_str(), search->className) != 0) return TRUE;
    if ((!search->className || search->visible) && !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND WindowOf(DWORD pid, const wchar_t* className, bool visible = false) {
    WindowSearch search{pid, className, nullptr, visible};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text length as another process's control reports it; WM_GETTEXTLENGTH carries no pointer,
// so it needs no marshalling. A control busy past the timeout counts as not there yet.
LRESULT TextLengthOf(HWND editor) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(editor, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return -1;
    return static_cast<LRESULT>(length);
}

// The window in front belongs to the process and its keyboard focus is a rich edit holding the
// whole document: what the user types now lands in the text.
bool Typable(DWORD pid, LRESULT expected, HWND& top) {
    const HWND front = GetForegroundWindow();
    DWORD owner = 0;
    const DWORD thread = front ? GetWindowThreadProcessId(front, &owner) : 0;
    if (!front || owner != pid) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus || !IsWindowVisible(info.hwndFocus)) return false;
    if (CompareStringOrdinal(ClassOf(info.hwndFocus).substr(0, 8).c_str(), -1, L"RichEdit", -1, TRUE) != CSTR_EQUAL)
        return false;
    top = front;
    return TextLengthOf(info.hwndFocus) >= expected;
}

struct Program {
    std::wstring exe;
    std::wstring commandLine;
    std::wstring folder;     // the working folder
    bool hiddenStart;        // Tavrik: in the tray until the hot key
    std::wstring savedFile;  // where the document is written
};

struct Figures {
    RECT window{};  // the top-level window
    SIZE editor{};  // the focused editor's client area
    double typableMs = 0;
    double loopMs = 0;  // Tavrik: until it waits in its message loop, hidden
    double pagefileMb = 0;
    double workingSetMb = 0;
};

using AtRest = std::function<void(DWORD pid, HWND top)>;

// One cold start, timed to typable, memory read after a settle, then `atRest`, then a clean close.
Figures StartAndClose(const Program& program, const std::wstring& environment, LRESULT expected, const char* what,
                      const AtRest& atRest = {}) {
    std::wstring commandLine = program.commandLine;
    std::wstring env = environment;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Figures figures;
    const double start = NowMs();
    if (!CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        env.data(), program.folder.c_str(), &startup, &info))
        Fail(std::string("cannot start ") + what + ", error " + std::to_string(GetLastError()));
    if (program.hiddenStart) {
        if (WaitForInputIdle(info.hProcess, static_cast<DWORD>(kTimeoutMs)) != 0)
            Fail(std::string(what) + " never reached its message loop");
        figures.loopMs = NowMs() - start;
        const HWND window = WindowOf(info.dwProcessId, tavrik::app::TTavrikForm::kClassName);
        if (!window) Fail(std::string(what) + " has no main window");
        PostMessageW(window, WM_HOTKEY, tavrik::app::kHotKeyId, 0);
    }
    HWND top = nullptr;
    while (!Typable(info.dwProcessId, expected, top)) {
        if (NowMs() - start > kTimeoutMs || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0)
            Fail(std::string(what) + " never came up typable");
        Sleep(1);
    }
    figures.typableMs = NowMs() - start;
    GetWindowRect(top, &figures.window);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    RECT client{};
    if (GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &focus) && GetClientRect(focus.hwndFocus, &client))
        figures.editor = {client.right, client.bottom};

    Sleep(kSettleMs);
    DWORD_PTR reply = 0;
    (void)SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &reply);  // done with what the settle brought
    // Visible ones only: Tavrik keeps its Options dialog made, hidden, once it has been shown.
    if (WindowOf(info.dwProcessId, L"#32770", true)) Fail(std::string(what) + " shows a message box");
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        Fail(std::string("no memory figures for ") + what);
    // Wine reports PrivateUsage as 0; its PagefileUsage is the same private commit.
    const SIZE_T committed = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    figures.pagefileMb = static_cast<double>(committed) / (1024.0 * 1024.0);
    figures.workingSetMb = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);

    if (atRest) atRest(info.dwProcessId, top);
    // Nothing unsaved: WordPad has nothing to ask, Tavrik nothing to write but its settings.
    PostMessageW(top, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(kTimeoutMs)) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        Fail(std::string(what) + " did not end on WM_CLOSE");
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (code != 0) Fail(std::string(what) + " ended with exit code " + std::to_string(code));
    return figures;
}

void SendKeys(const std::vector<INPUT>& keys) {
    std::vector<INPUT> sent = keys;  // SendInput takes them by a non-const pointer
    if (SendInput(static_cast<UINT>(sent.size()), sent.data(), sizeof(INPUT)) != sent.size()) Fail("SendInput refused the keys");
}

INPUT Key(WORD virtualKey, WORD unicode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unicode;
    input.ki.dwFlags = flags;
    return input;
}

struct FileStamp {
    FILETIME written{};
    DWORD size = 0;
    bool operator==(const FileStamp& other) const {
        return CompareFileTime(&written, &other.written) == 0 && size == other.size;
    }
};

FileStamp StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {data.ftLastWriteTime, data.nFileSizeLow};
}

// One key typed into the document in front, then the program's way of saving it: the time from
// that key until the file is written and the program answers again (Tavrik: also hidden).
double SaveAfterOneCharacter(const Program& program, DWORD pid, HWND top, LRESULT expected, const char* what) {
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &focus) || !focus.hwndFocus)
        Fail(std::string(what) + " lost its focused editor");
    SendKeys({Key(0, L'x', KEYEVENTF_UNICODE), Key(0, L'x', KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
    const double typed = NowMs();
    while (TextLengthOf(focus.hwndFocus) != expected + 1) {
        if (NowMs() - typed > kTimeoutMs) Fail(std::string("a typed key never reached ") + what);
        Sleep(1);
    }
    const FileStamp before = StampOf(program.savedFile);
    const double start = NowMs();
    if (program.hiddenStart) {
        PostMessageW(top, WM_HOTKEY, tavrik::app::kHotKeyId, 0);
    } else {
        SendKeys({Key(VK_CONTROL, 0, 0), Key('S', 0, 0), Key('S', 0, KEYEVENTF_KEYUP), Key(VK_CONTROL, 0, KEYEVENTF_KEYUP)});
    }
    DWORD_PTR reply = 0;
    while (StampOf(program.savedFile) == before || (program.hiddenStart && IsWindowVisible(top)) ||
           !SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &reply)) {
        if (NowMs() - start > kTimeoutMs) Fail(std::string(what) + " never saved the typed key");
        if (WindowOf(pid, L"#32770", true)) Fail(std::string(what) + " asked something on saving");
        Sleep(1);
    }
    return NowMs() - start;
}

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* rest = reinterpret_cast<std::string_view*>(cookie);
    const size_t n = std::min(rest->size(), static_cast<size_t>(size));
    std::memcpy(buffer, rest->data(), n);
    rest->remove_prefix(n);
    *done = static_cast<LONG>(n);
    return 0;
}

// The length the same control reports once it holds the document: what both programs must reach.
LRESULT ExpectedLength(const std::string& rtf) {
    const HWND editor = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE, 0, 0, 600, 400, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!editor) Fail("cannot make a rich-edit control");
    SendMessageW(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    std::string_view rest(rtf);
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, ReadFromString};
    SendMessageW(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    const LRESULT length = SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0);
    DestroyWindow(editor);
    if (length <= 0) Fail("the benchmark's own control read no text from the document");
    return length;
}

struct Document {
    const char* name;
    std::string rtf;          // empty: a new document
    bool ownSize = false;     // Tavrik alone, at its own default size
    Program wordpad, tavrik;
    LRESULT expected = 0;
    SIZE tavrikEditor{}, wordpadEditor{};
    Series tavrikLoopMs, tavrikMs, wordpadMs, tavrikMb, wordpadMb, tavrikWsMb, wordpadWsMb, tavrikSaveMs, wordpadSaveMs;
};

constexpr char kPageList[] = "[Pages]\r\nNote=16777215*Arial*0*10*0*0*1*\r\n";

// Tavrik's settings with its window where WordPad's was.
std::string SettingsAt(const RECT& window) {
    char place[160];
    std::snprintf(place, sizeof place, "[Parameters]\r\nMainLeft=%ld\r\nMainTop=%ld\r\nMainWidth=%ld\r\nMainHeight=%ld\r\n",
                  window.left, window.top, window.right - window.left, window.bottom - window.top);
    return place + std::string(kPageList);
}

std::string Figure(double value, const char* unit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, unit);
    return text;
}

// Rated on the median of the rounds' own ratios: the two runs of a round follow each other, so a
// slow spell of the shared machine mostly falls on both of them.
bool Row(const char* figure, const Series& tavrik, const Series& wordpad, const char* unit, double target) {
    Series ratios;
    for (size_t i = 0; i < tavrik.values.size() && i < wordpad.values.size(); ++i)
        ratios.values.push_back(tavrik.values[i] / wordpad.values[i]);
    const double ratio = ratios.Median();
    const bool met = target <= 0 || ratio <= target;
    char rated[16] = "";
    if (target > 0) std::snprintf(rated, sizeof rated, "<= %.2f", target);
    std::printf("%-34s %11s %11s %7.2f  %-8s %s\n", figure, Figure(tavrik.Median(), unit).c_str(),
                Figure(wordpad.Median(), unit).c_str(), ratio, rated, target > 0 ? (met ? "met" : "MISSED") : "");
    return met;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : kRounds;
    const std::wstring bin = tavrik::test::ModuleFolder();
    const std::wstring tavrikExe = bin + L"tavrik.exe";
    wchar_t wordpadPath[MAX_PATH + 1];
    ExpandEnvironmentStringsW(L"%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe", wordpadPath, MAX_PATH + 1);
    const std::wstring wordpadExe = wordpadPath;
    if (GetFileAttributesW(tavrikExe.c_str()) == INVALID_FILE_ATTRIBUTES) Fail("tavrik.exe must lie beside the benchmark");
    if (GetFileAttributesW(wordpadExe.c_str()) == INVALID_FILE_ATTRIBUTES) Fail("no wordpad.exe in this prefix");
    if (FindWindowW(tavrik::app::TTavrikForm::kClassName, nullptr)) Fail("a copy of Tavrik is running");
    const HMODULE richEdit = LoadLibraryW(L"Msftedit.dll");  // kept for the whole run
    if (!richEdit) Fail("no rich-edit library");

    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = std::to_wstring(GetCurrentProcessId());
    g_root = std::wstring(temp) + L"tavrik_wordpad_" + unique + L"\\";
    const std::wstring keyRoot = L"Software\\TavrikBench\\" + unique;
    const std::wstring environment = tavrik::test::ChildEnvironment(keyRoot + L"\\Run");
    CreateDirectoryW(g_root.c_str(), nullptr);

    std::vector<Document> documents(4);
    documents[0].name = "empty document";
    documents[1].name = "20 KB RTF";
    documents[1].rtf = tavrik::test::RtfWriter(3).Page(kMidBytes);
    documents[2].name = "1 MB RTF";
    documents[2].rtf = tavrik::test::RtfWriter(7).Page(kBigBytes);
    documents[3].name = "1 MB RTF, Tavrik's own size";
    documents[3].rtf = documents[2].rtf;
    documents[3].ownSize = true;
    const std::wstring folderNames[] = {L"empty\\", L"mid\\", L"big\\", L"own\\"};
    for (size_t i = 0; i < documents.size(); ++i) {
        Document& doc = documents[i];
        const std::wstring folder = g_root + folderNames[i];
        CreateDirectoryW(folder.c_str(), nullptr);
        // Tavrik: one page, its file holding the document (none for the empty one), in a program
        // folder that has been started before, so no first-start notice comes up.
        if (!CopyFileW(tavrikExe.c_str(), (folder + L"tavrik.exe").c_str(), FALSE) ||
            !tavrik::test::WriteFileBytes(folder + L"tavrik.ini", kPageList))
            Fail("cannot make Tavrik's program folder");
        doc.tavrik = {folder + L"tavrik.exe", L"\"" + folder + L"tavrik.exe\"", folder, true, folder + L"Note.tvk"};
        doc.wordpad = {wordpadExe, L"\"" + wordpadExe + L"\"", g_root, false, folder + L"document.rtf"};
        if (!doc.rtf.empty()) {
            const std::wstring file = folder + L"document.rtf";
            if (!tavrik::test::WriteFileBytes(folder + L"Note.tvk", doc.rtf) || !tavrik::test::WriteFileBytes(file, doc.rtf))
                Fail("cannot write the documents");
            doc.wordpad.commandLine += L" \"" + file + L"\"";
            doc.expected = ExpectedLength(doc.rtf);
        }
    }

    // WordPad's window, where it puts it on its own, is where Tavrik's goes too.
    const RECT wordpadWindow = StartAndClose(documents[0].wordpad, environment, 0, "wordpad.exe").window;
    for (size_t i = 0; i < documents.size(); ++i)
        if (!documents[i].ownSize &&
            !tavrik::test::WriteFileBytes(g_root + folderNames[i] + L"tavrik.ini", SettingsAt(wordpadWindow)))
            Fail("cannot write Tavrik's settings");

    // One round unmeasured, so that both programs and the documents are in the cache; then the
    // two programs take turns, each going first in every other round.
    for (int round = -1; round < rounds; ++round) {
        for (Document& doc : documents) {
            const bool tavrikFirst = round % 2 != 0;
            for (int turn = 0; turn < 2; ++turn) {
                const bool isTavrik = (turn == 0) == tavrikFirst;
                if (!isTavrik && doc.ownSize) continue;
                const Figures f = isTavrik ? StartAndClose(doc.tavrik, environment, doc.expected, "tavrik.exe")
                                           : StartAndClose(doc.wordpad, environment, doc.expected, "wordpad.exe");
                (isTavrik ? doc.tavrikEditor : doc.wordpadEditor) = f.editor;
                if (round < 0) continue;
                (isTavrik ? doc.tavrikMs : doc.wordpadMs).values.push_back(f.typableMs);
                if (isTavrik) doc.tavrikLoopMs.values.push_back(f.loopMs);
                (isTavrik ? doc.tavrikMb : doc.wordpadMb).values.push_back(f.pagefileMb);
                (isTavrik ? doc.tavrikWsMb : doc.wordpadWsMb).values.push_back(f.workingSetMb);
            }
        }
    }

    // Saving after one key, on the 20 KB document, put back as it was before each start.
    Document& page = documents[1];
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool isTavrik = (turn == 0) == (round % 2 != 0);
            const Program& program = isTavrik ? page.tavrik : page.wordpad;
            const char* what = isTavrik ? "tavrik.exe" : "wordpad.exe";
            if (!tavrik::test::WriteFileBytes(program.savedFile, page.rtf)) Fail("cannot put the 20 KB document back");
            (void)StartAndClose(program, environment, page.expected, what, [&](DWORD pid, HWND top) {
                (isTavrik ? page.tavrikSaveMs : page.wordpadSaveMs)
                    .values.push_back(SaveAfterOneCharacter(program, pid, top, page.expected, what));
            });
        }
    }

    std::printf("Tavrik beside Wine's WordPad: %d rounds after one unmeasured, the two taking turns.\n"
                "Cold start is CreateProcess to a window in front whose focused rich edit holds the whole\n"
                "document; Tavrik's includes the hot key that brings it out of the tray. Memory is read\n"
                "after %lu ms at rest. Medians; the ratio is the median of the rounds' Tavrik / WordPad.\n\n",
                rounds, static_cast<unsigned long>(kSettleMs));
    std::printf("%-34s %11s %11s %7s  %-8s %s\n", "figure", "Tavrik", "WordPad", "ratio", "target", "");
    bool met = true;
    met &= Row("cold start, empty document", documents[0].tavrikMs, documents[0].wordpadMs, "ms", kStartTarget);
    (void)Row("opening 20 KB RTF (cold start)", documents[1].tavrikMs, documents[1].wordpadMs, "ms", 0);
    met &= Row("cold start, 1 MB RTF", documents[2].tavrikMs, documents[2].wordpadMs, "ms", kStartTarget);
    met &= Row("pagefile usage at rest, 1 MB", documents[2].tavrikMb, documents[2].wordpadMb, "MB", kMemoryTarget);
    met &= Row("cold start, 1 MB, Tavrik's own size", documents[3].tavrikMs, documents[2].wordpadMs, "ms", kStartTarget);
    met &= Row("pagefile usage, 1 MB, own size", documents[3].tavrikMb, documents[2].wordpadMb, "MB", kMemoryTarget);
    (void)Row("save after one key, 20 KB (hide too)", page.tavrikSaveMs, page.wordpadSaveMs, "ms", 0);
    (void)Row("pagefile usage at rest, empty", documents[0].tavrikMb, documents[0].wordpadMb, "MB", 0);
    (void)Row("working set at rest, 1 MB", documents[2].tavrikWsMb, documents[2].wordpadWsMb, "MB", 0);
    (void)Row("working set at rest, empty", documents[0].tavrikWsMb, documents[0].wordpadWsMb, "MB", 0);
    std::printf("\nWhere Tavrik's cold start goes, medians: until it waits hidden in its message loop, then\n"
                "from the hot key to typable.\n");
    for (const Document& doc : documents) {
        Series shown;
        for (size_t i = 0; i < doc.tavrikMs.values.size(); ++i)
            shown.values.push_back(doc.tavrikMs.values[i] - doc.tavrikLoopMs.values[i]);
        std::printf("  %-32s %8.1f ms %8.1f ms\n", doc.name, doc.tavrikLoopMs.Median(), shown.Median());
    }
    std::printf("\nEvery round's cold start in ms, Tavrik / WordPad, for how steady the machine was:\n");
    for (const Document& doc : documents) {
        std::printf("  %-28s", doc.name);
        for (size_t i = 0; i < doc.tavrikMs.values.size(); ++i)
            std::printf(" %.0f/%.0f", doc.tavrikMs.values[i], i < doc.wordpadMs.values.size() ? doc.wordpadMs.values[i] : 0.0);
        std::printf("\n");
    }
    std::printf("\nEditors, client area: WordPad %ld x %ld; Tavrik %ld x %ld at WordPad's window size, %ld x %ld at its own.\n",
                documents[2].wordpadEditor.cx, documents[2].wordpadEditor.cy, documents[2].tavrikEditor.cx,
                documents[2].tavrikEditor.cy, documents[3].tavrikEditor.cx, documents[3].tavrikEditor.cy);
    std::fflush(stdout);

    tavrik::test::RemoveTree(g_root);
    (void)RegDeleteTreeW(HKEY_CURRENT_USER, keyRoot.c_str());
    (void)RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TavrikBench");  // only when empty
    return met ? 0 : 1;
}
