// Starting tavrik.exe, watching it from outside and ending it.
#include "tavrik_process.h"

#include "real_input.h"
#include "scratch_files.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

namespace tavrik::e2e {
namespace {

// Generous: the first start in a Wine prefix can take seconds; a healthy one takes well under one.
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 20000;
constexpr DWORD kReplyTimeoutMs = 10000;
constexpr DWORD kPollMs = 20;
// What the program asks the shell to post for its tray icon, and the icon's id.
constexpr UINT kTrayIconMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256];
    const int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

struct WindowSearch {
    DWORD pid = 0;           // top-level windows of this process,
    HWND parent = nullptr;   // or the direct children of this window;
    std::wstring className;  // of this class only, when given
    std::vector<HWND> found;
};

// Class names match without regard to case; Wine spells the rich-edit class its own way.
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    if (search->parent ? GetParent(hwnd) != search->parent : ProcessOf(hwnd) != search->pid) return TRUE;
    if (!search->className.empty() && _wcsicmp(ClassOf(hwnd).c_str(), search->className.c_str()) != 0) return TRUE;
    search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
    WindowSearch search;
    search.pid = pid;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectShownTrayWindow(HWND hwnd, LPARAM lp) {
    if (IsWindowVisible(hwnd) && ClassOf(hwnd) == L"__winex11_standalone_tray") *reinterpret_cast<HWND*>(lp) = hwnd;
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent, std::wstring_view className) {
    WindowSearch search;
    search.parent = parent;
    search.className = className;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// WM_GETTEXT is marshalled across processes by the system.
std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kReplyTimeoutMs, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             kReplyTimeoutMs, &copied))
        return {};
    text.resize(std::min<size_t>(copied, length));
    return text;
}

// The button that answers "no" to whatever the box asks, and otherwise its only one.
void Dismiss(HWND box) {
    const std::vector<HWND> buttons = ChildrenOf(box, L"Button");
    HWND chosen = buttons.empty() ? nullptr : buttons.front();
    for (int id : {IDOK, IDNO, IDCANCEL})  // later ids win
        for (HWND button : buttons)
            if (GetDlgCtrlID(button) == id) chosen = button;
    const int id = chosen ? GetDlgCtrlID(chosen) : IDCANCEL;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(chosen));
    const ULONGLONG deadline = GetTickCount64() + kReplyTimeoutMs;
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount64() < deadline) Sleep(kPollMs);
}

DWORD WindowThread(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr); }

bool IsSelfOrChild(HWND window, HWND candidate) {
    return candidate && (candidate == window || IsChild(window, candidate));
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        Sleep(kPollMs);
    }
}

std::wstring DialogEditText(HWND dialog) {
    const std::vector<HWND> edits = ChildrenOf(dialog, L"Edit");
    return edits.empty() ? L"<no edit box>" : TextOf(edits.front());
}

std::wstring DialogMessage(HWND dialog) {
    std::wstring longest;
    for (HWND label : ChildrenOf(dialog, L"Static")) {
        std::wstring text = TextOf(label);
        if (text.size() > longest.size()) longest = std::move(text);  // the icon's Static is empty
    }
    return longest;
}

TavrikProcess::TavrikProcess(const ProgramFolder& folder) : TavrikProcess(folder, folder.RunKey()) {}

TavrikProcess::TavrikProcess(const ProgramFolder& folder, std::wstring runKey)
    : exe_(folder.Exe()), runKey_(std::move(runKey)), workFolder_(folder.WorkFolder()) {
    SetVariable(L"TAVRIK_USER_FOLDER", folder.UserFolder());
    // A Russian Windows, whatever Wine's locale: the cases were written for the Russian start.
    SetVariable(L"TAVRIK_UI_LANGUAGE", L"0419");
}

TavrikProcess::~TavrikProcess() {
    if (IsRunning()) Kill();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

void TavrikProcess::SetVariable(std::wstring name, std::wstring value) {
    std::erase_if(variables_, [&](const auto& old) { return _wcsicmp(old.first.c_str(), name.c_str()) == 0; });
    variables_.emplace_back(std::move(name), std::move(value));
}

// The block holds one entry per name: the system would read the first of two.
std::wstring TavrikProcess::Environment() const {
    const std::wstring inherited = test::ChildEnvironment(runKey_);
    std::wstring block;
    for (const wchar_t* p = inherited.c_str(); *p; p += wcslen(p) + 1) {
        const std::wstring_view entry(p);
        const bool replaced = std::any_of(variables_.begin(), variables_.end(), [&](const auto& variable) {
            return entry.size() > variable.first.size() && entry[variable.first.size()] == L'=' &&
                   _wcsnicmp(entry.data(), variable.first.c_str(), variable.first.size()) == 0;
        });
        if (!replaced) block.append(entry).push_back(L'\0');
    }
    for (const auto& [name, value] : variables_) block.append(name).append(L"=").append(value).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

bool TavrikProcess::Launch() {
    std::wstring environment = Environment();
    std::wstring commandLine = L"\"" + exe_ + L"\"" + (arguments_.empty() ? L"" : L" " + arguments_);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const auto create = [&] {
        return CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                              environment.data(), workFolder_.c_str(), &startup, &info_) != FALSE;
    };
    bool created = create();
    // Wine once in a long while refuses a start with ERROR_INTERNAL_ERROR; that says nothing
    // about tavrik.exe, so it gets a second try.
    if (!created && GetLastError() == ERROR_INTERNAL_ERROR) {
        Sleep(100);
        created = create();
    }
    if (!created) {
        ADD_FAILURE() << "cannot start " << Utf8(exe_) << ", error " << GetLastError();
        info_ = {};
        return false;
    }
    return true;
}

bool TavrikProcess::Start() { return Launch() && WaitForWindow(); }

std::optional<MessageBoxText> TavrikProcess::StartExpectingMessage() {
    if (!Launch()) return std::nullopt;
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    for (;;) {
        std::vector<MessageBoxText> boxes = TakeMessageBoxes();
        if (!boxes.empty()) return WaitForWindow() ? std::optional(boxes.front()) : std::nullopt;
        if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0 || GetTickCount64() > deadline) {
            ADD_FAILURE() << "tavrik.exe said nothing at start";
            Kill();
            return std::nullopt;
        }
    }
}

std::optional<MessageBoxText> TavrikProcess::AnswerMessage(int id, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        for (HWND box : TopLevelWindowsOf(info_.dwProcessId)) {
            if (ClassOf(box) != L"#32770" || !IsWindowVisible(box)) continue;
            MessageBoxText text{TextOf(box), DialogMessage(box)};
            const HWND button = GetDlgItem(box, id);
            EXPECT_TRUE(button) << "no button " << id << " in [" << Utf8(text.caption) << "] " << Utf8(text.text);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return text;
        }
        if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0 || GetTickCount64() > deadline) {
            ADD_FAILURE() << "no message box within " << timeoutMs << " ms";
            return std::nullopt;
        }
    }
}

bool TavrikProcess::FollowRestart() {
    if (!WaitForEnd("the restart")) return false;
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    HWND copy = nullptr;
    while (!(copy = FindWindowW(L"TTavrikForm", nullptr))) {
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "no copy of tavrik.exe came after the restart";
            return false;
        }
        Sleep(kPollMs);
    }
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(copy, &pid);
    const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (!process) {
        ADD_FAILURE() << "cannot open the restarted copy, error " << GetLastError();
        return false;
    }
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
    info_ = {process, nullptr, pid, thread};
    window_ = nullptr;
    return WaitForWindow();
}

bool TavrikProcess::WaitForWindow() {
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    for (;;) {
        for (HWND hwnd : TopLevelWindowsOf(info_.dwProcessId))
            if (ClassOf(hwnd) == L"TTavrikForm") window_ = hwnd;
        if (window_) break;
        FailOnMessageBoxes("while starting");
        if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(info_.hProcess, &code);
            ADD_FAILURE() << "tavrik.exe ended at start, exit code " << code;
            return false;
        }
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "tavrik.exe made no TTavrikForm window in " << kStartTimeoutMs << " ms";
            Kill();
            return false;
        }
    }
    // Under Wine as on Windows this returns once the program waits in its message loop; the
    // sent message then confirms that the window answers.
    const DWORD idle = WaitForInputIdle(info_.hProcess, kStartTimeoutMs);
    DWORD_PTR reply = 0;
    if (idle != 0 || !SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kReplyTimeoutMs, &reply)) {
        FailOnMessageBoxes("while starting");
        ADD_FAILURE() << "tavrik.exe does not reach its message loop";
        Kill();
        return false;
    }
    FailOnMessageBoxes("at start");
    return IsRunning();
}

std::optional<DWORD> TavrikProcess::RunToExit() {
    if (!Launch()) return std::nullopt;
    const ULONGLONG deadline = GetTickCount64() + kExitTimeoutMs;
    for (;;) {
        for (HWND hwnd : TopLevelWindowsOf(info_.dwProcessId))
            if (ClassOf(hwnd) == L"TTavrikForm" || IsWindowVisible(hwnd)) showedWindow_ = true;
        FailOnMessageBoxes("in a copy that should have left at once");
        if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) break;
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "tavrik.exe did not leave by itself within " << kExitTimeoutMs << " ms";
            Kill();
            return std::nullopt;
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::optional<std::pair<MessageBoxText, DWORD>> TavrikProcess::RunToMessageAndExit() {
    if (!Launch()) return std::nullopt;
    std::optional<MessageBoxText> box = AnswerMessage(IDOK, kStartTimeoutMs);
    if (!box) {
        Kill();
        return std::nullopt;
    }
    if (WaitForSingleObject(info_.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "tavrik.exe did not leave after its message";
        Kill();
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return std::pair(*box, code);
}

bool TavrikProcess::Close() {
    if (!window_ || !IsRunning()) {
        ADD_FAILURE() << "tavrik.exe is not running, so it cannot be closed";
        return false;
    }
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitForEnd("WM_CLOSE");
}

bool TavrikProcess::WaitForEnd(const char* after) {
    if (!info_.hProcess) {
        ADD_FAILURE() << "tavrik.exe was never started";
        return false;
    }
    const ULONGLONG deadline = GetTickCount64() + kExitTimeoutMs;
    while (WaitForSingleObject(info_.hProcess, kPollMs) != WAIT_OBJECT_0) {
        // A refused close leaves the program up for good: no use waiting out the time.
        if (FailOnMessageBoxes("while closing") > 0) {
            Kill();
            return false;
        }
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "tavrik.exe did not end within " << kExitTimeoutMs << " ms of " << after;
            Kill();
            return false;
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    EXPECT_EQ(code, 0u) << "exit code of tavrik.exe after " << after;
    return code == 0;
}

std::optional<MessageBoxText> TavrikProcess::CloseExpectingMessage() {
    if (!window_ || !IsRunning()) {
        ADD_FAILURE() << "tavrik.exe is not running, so it cannot be closed";
        return std::nullopt;
    }
    PostMessageW(window_, WM_CLOSE, 0, 0);
    const ULONGLONG deadline = GetTickCount64() + kExitTimeoutMs;
    for (;;) {
        std::vector<MessageBoxText> boxes = TakeMessageBoxes();
        if (!boxes.empty()) {
            for (size_t i = 1; i < boxes.size(); ++i)
                ADD_FAILURE() << "a second message box while closing: " << Utf8(boxes[i].text);
            return boxes.front();
        }
        if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) {
            ADD_FAILURE() << "tavrik.exe ended on WM_CLOSE instead of reporting a failure";
            return std::nullopt;
        }
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "no message box within " << kExitTimeoutMs << " ms of WM_CLOSE";
            return std::nullopt;
        }
    }
}

std::vector<MessageBoxText> TavrikProcess::TakeMessageBoxes() {
    std::vector<MessageBoxText> boxes;
    if (!info_.hProcess) return boxes;
    for (HWND hwnd : TopLevelWindowsOf(info_.dwProcessId)) {
        if (ClassOf(hwnd) != L"#32770" || !IsWindowVisible(hwnd)) continue;
        MessageBoxText box{TextOf(hwnd), DialogMessage(hwnd)};
        Dismiss(hwnd);
        boxes.push_back(std::move(box));
    }
    return boxes;
}

size_t TavrikProcess::FailOnMessageBoxes(const char* when) {
    const std::vector<MessageBoxText> boxes = TakeMessageBoxes();
    for (const MessageBoxText& box : boxes)
        ADD_FAILURE() << "unexpected message box " << when << ": [" << Utf8(box.caption) << "] " << Utf8(box.text);
    return boxes.size();
}

bool TavrikProcess::Show() {
    if (!IsWindowVisible(window_)) PostMessageW(window_, WM_HOTKEY, 1, 0);  // only while hidden: the key will toggle
    return WaitUntilShown();
}

bool TavrikProcess::WaitUntilShown() const {
    if (!WaitFor([&] { return IsWindowVisible(window_) != FALSE; })) {
        ADD_FAILURE() << "the window did not come up";
        return false;
    }
    // The program brings itself to the front; input from here goes to whatever is in front.
    if (!WaitFor([&] { return GetForegroundWindow() == window_; })) {
        ADD_FAILURE() << "the window came up but is not in front";
        return false;
    }
    return true;
}

bool TavrikProcess::WaitUntilHidden() const {
    if (WaitFor([&] { return !IsWindowVisible(window_); })) return true;
    ADD_FAILURE() << "the window stayed up";
    return false;
}

// Without a tray on the X display, Wine's shell shows the icons in a small window of its own, a
// row of cells from the top left of its client area. The program's icon is the only one there.
std::optional<POINT> TavrikProcess::TrayIconPoint() const {
    HWND tray = nullptr;
    WaitFor([&] { return EnumWindows(CollectShownTrayWindow, reinterpret_cast<LPARAM>(&tray)), tray != nullptr; },
            2000);
    if (!tray) return std::nullopt;
    const int cell = GetSystemMetrics(SM_CXSMICON) + 4;  // the icon and a border of 2 on each side
    POINT point{cell / 2, cell / 2};
    ClientToScreen(tray, &point);
    return point;
}

// A real click on the icon where Wine shows it; elsewhere the test posts what the shell would
// post, in version 4 of the icon's messages, which the program asks for: the event in the low
// word of lParam, the icon's id in the high word, and the point of a menu in wParam.
void TavrikProcess::ClickTrayIcon() const {
    if (const auto icon = TrayIconPoint()) {
        Click(*icon);
        return;
    }
    PostMessageW(window_, kTrayIconMessage, 0, MAKELPARAM(WM_LBUTTONUP, kTrayIconId));
}

HWND TavrikProcess::OpenTrayMenu() const {
    if (const auto icon = TrayIconPoint()) {
        RightClick(*icon);
    } else {
        // Where the notification area would be: the lower right corner of the screen.
        const int x = GetSystemMetrics(SM_CXSCREEN) - 40;
        const int y = GetSystemMetrics(SM_CYSCREEN) - 10;
        PostMessageW(window_, kTrayIconMessage, MAKEWPARAM(x, y), MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
    }
    return WaitForMenu();
}

std::optional<POINT> TavrikProcess::FramePoint(LRESULT hit) const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    const auto hitAt = [&](int x, int y) {
        DWORD_PTR code = HTNOWHERE;
        SendMessageTimeoutW(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, kReplyTimeoutMs, &code);
        return static_cast<LRESULT>(code) == hit;
    };
    // The first row from the top that holds the code, then the middle of its run in that row and
    // of the column through that middle.
    const int bottom = std::min<int>(rect.bottom, rect.top + 80);
    for (int y = rect.top; y < bottom; y += 2) {
        int first = -1;
        int last = -1;
        for (int x = rect.left; x < rect.right; x += 2) {
            if (!hitAt(x, y)) continue;
            if (first < 0) first = x;
            last = x;
        }
        if (first < 0) continue;
        const int x = (first + last) / 2;
        int lowest = y;
        while (lowest + 1 < bottom && hitAt(x, lowest + 1)) ++lowest;
        return POINT{x, (y + lowest) / 2};
    }
    ADD_FAILURE() << "no part of the window's frame answers hit-test code " << hit;
    return std::nullopt;
}

HWND TavrikProcess::FocusPage() {
    const std::vector<HWND> shown = ShownEditors();
    if (shown.size() != 1) {
        ADD_FAILURE() << shown.size() << " editors shown, expected exactly one";
        return nullptr;
    }
    const HWND editor = shown.front();
    if (WaitFor([&] { return FocusWindow() == editor; }, 500)) return editor;
    RECT rect{};
    GetWindowRect(editor, &rect);
    // Low and right in the page, after any text, so the caret goes to the end.
    if (!Click({rect.right - 30, rect.bottom - 10})) return nullptr;
    return WaitForFocusIn(editor) ? editor : nullptr;
}

HWND TavrikProcess::FocusWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return window_ && GetGUIThreadInfo(WindowThread(window_), &info) ? info.hwndFocus : nullptr;
}

bool TavrikProcess::WaitForFocusIn(HWND window) const {
    if (WaitFor([&] { return IsSelfOrChild(window, FocusWindow()); })) return true;
    const HWND focus = FocusWindow();
    ADD_FAILURE() << "the keyboard focus is in a window of class " << Utf8(focus ? ClassOf(focus) : L"<none>")
                  << ", not in the " << Utf8(ClassOf(window)) << " window expected";
    return false;
}

HWND TavrikProcess::WaitForDialog(std::wstring_view caption) const {
    HWND found = nullptr;
    const auto shown = [&] {
        for (HWND hwnd : TopLevelWindowsOf(info_.dwProcessId))
            if (ClassOf(hwnd) == L"#32770" && IsWindowVisible(hwnd) && TextOf(hwnd) == caption) found = hwnd;
        return found != nullptr;
    };
    if (!WaitFor(shown)) {
        ADD_FAILURE() << "no dialog \"" << Utf8(caption) << "\" came";
        return nullptr;
    }
    return WaitForFocusIn(found) ? found : nullptr;
}

HWND TavrikProcess::WaitForMenu() const {
    HWND found = nullptr;
    const auto shown = [&] {
        for (HWND hwnd : TopLevelWindowsOf(info_.dwProcessId))
            if (ClassOf(hwnd) == L"#32768" && IsWindowVisible(hwnd)) found = hwnd;
        return found != nullptr;
    };
    if (!WaitFor(shown)) ADD_FAILURE() << "no popup menu came";
    return found;
}

bool TavrikProcess::ShowsPopup() const {
    for (HWND hwnd : TopLevelWindowsOf(info_.dwProcessId)) {
        const std::wstring name = ClassOf(hwnd);
        if ((name == L"#32770" || name == L"#32768") && IsWindowVisible(hwnd)) return true;
    }
    return false;
}

// TCM_GETITEMRECT writes into the program's memory, like TCM_GETITEMW below.
RECT TavrikProcess::TabRect(int index) const {
    RECT rect{};
    const HWND tab = TabControl();
    void* remote = tab ? VirtualAllocEx(info_.hProcess, nullptr, sizeof rect, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                       : nullptr;
    DWORD_PTR ok = 0;
    if (!remote ||
        !SendMessageTimeoutW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote),
                             SMTO_NORMAL, kReplyTimeoutMs, &ok) ||
        !ok || !ReadProcessMemory(info_.hProcess, remote, &rect, sizeof rect, nullptr))
        ADD_FAILURE() << "cannot read where tab " << index << " lies";
    if (remote) VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
    MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT TavrikProcess::TabPoint(int index) const {
    const RECT rect = TabRect(index);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool TavrikProcess::IsRunning() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TavrikProcess::Responds() const {
    DWORD_PTR reply = 0;
    return window_ && SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kReplyTimeoutMs, &reply) != 0;
}

void TavrikProcess::Kill() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, kExitTimeoutMs);
}

// The program makes its tab strip, with its tabs, when it is first idle after start-up: wait for it.
HWND TavrikProcess::TabControl() const {
    const ULONGLONG end = GetTickCount64() + 5000;
    for (;;) {
        const HWND tab = window_ ? FindWindowExW(window_, nullptr, WC_TABCONTROLW, nullptr) : nullptr;
        if (tab || !window_ || GetTickCount64() > end) return tab;
        Sleep(10);
    }
}

// A TCITEMW holds a pointer to the caption buffer, which must lie in the program's own memory:
// the system copies no buffer for tab-control messages between processes.
static DWORD_PTR TabCount(HWND tab) {
    DWORD_PTR count = 0;
    const ULONGLONG end = GetTickCount64() + 5000;
    while (tab && SendMessageTimeoutW(tab, TCM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kReplyTimeoutMs, &count) &&
           count == 0 && GetTickCount64() < end)
        Sleep(10);
    return count;
}

std::vector<std::wstring> TavrikProcess::TabCaptions() const {
    std::vector<std::wstring> captions;
    const HWND tab = TabControl();
    const DWORD_PTR count = TabCount(tab);
    if (!tab || count == 0) {
        ADD_FAILURE() << "no tabs in the main window";
        return captions;
    }
    constexpr size_t kChars = 1024;
    const size_t bytes = sizeof(TCITEMW) + kChars * sizeof(wchar_t);
    void* remote = VirtualAllocEx(info_.hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) {
        ADD_FAILURE() << "VirtualAllocEx failed, error " << GetLastError();
        return captions;
    }
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TCITEMW));
    for (size_t i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = remoteText;
        item.cchTextMax = static_cast<int>(kChars);
        std::wstring text(kChars, L'\0');
        DWORD_PTR ok = 0;
        if (!WriteProcessMemory(info_.hProcess, remote, &item, sizeof item, nullptr) ||
            !SendMessageTimeoutW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                                 kReplyTimeoutMs, &ok) ||
            !ok || !ReadProcessMemory(info_.hProcess, remote, &item, sizeof item, nullptr) ||
            !ReadProcessMemory(info_.hProcess, item.pszText, text.data(), kChars * sizeof(wchar_t), nullptr)) {
            ADD_FAILURE() << "cannot read the caption of tab " << i;
            break;
        }
        text.resize(wcsnlen(text.c_str(), kChars));
        captions.push_back(std::move(text));
    }
    VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
    return captions;
}

int TavrikProcess::CurrentTab() const {
    DWORD_PTR index = static_cast<DWORD_PTR>(-1);
    const HWND tab = TabControl();
    if (!tab || TabCount(tab) == 0 ||
        !SendMessageTimeoutW(tab, TCM_GETCURSEL, 0, 0, SMTO_NORMAL, kReplyTimeoutMs, &index))
        return -2;
    return static_cast<int>(static_cast<LRESULT>(index));
}

std::vector<HWND> TavrikProcess::ShownEditors() const {
    std::vector<HWND> shown;
    const HWND tab = TabControl();
    if (!tab) return shown;
    // IsWindowVisible is false for every child of a hidden window, so look at the style.
    for (HWND editor : ChildrenOf(tab, L"RICHEDIT50W"))
        if (GetWindowLongW(editor, GWL_STYLE) & WS_VISIBLE) shown.push_back(editor);
    return shown;
}

std::wstring TavrikProcess::ShownEditorText() const {
    // A page is read from its file when it is first needed: bring the window up, as the hot key does.
    if (ShownEditors().empty()) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, WM_HOTKEY, 1, 0, SMTO_NORMAL, kReplyTimeoutMs, &ignored);
    }
    const std::vector<HWND> shown = ShownEditors();
    if (shown.size() != 1) {
        ADD_FAILURE() << shown.size() << " editors shown, expected exactly one";
        return L"<no editor>";
    }
    std::wstring text = TextOf(shown.front());
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    return text;
}

}  // namespace tavrik::e2e
