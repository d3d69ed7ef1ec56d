// (Win32) Message boxes.
#include "app/error_box.h"

#include "app/text.h"
#include "app/visible_owner.h"
#include "ui/file_texts.h"
#include "ui/linked_ini_texts.h"

namespace tavrik::app {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

ui::Language& MessageLanguage() {
    static ui::Language language = ui::Language::English;
    return language;
}

bool IsDialogBox(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return wcscmp(className, L"#32770") == 0;
}

LRESULT CALLBACK OnTopWhenActivated(int code, WPARAM wp, LPARAM lp) {
    const auto window = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && IsDialogBox(window) && !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::wstring& Title() {
    static std::wstring title = L"\u0422\u0430\u0432\u0440\u0438\u043A";  // Таврик
    return title;
}
}  // namespace

std::wstring_view AppTitle() { return Title(); }
void SetAppTitle(std::wstring_view title) { Title() = title; }

void SetMessageLanguage(ui::Language language) { MessageLanguage() = language; }

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
    if (Sink()) return Sink()(text, caption, flags);
    // We are often hidden: only a visible window may own the box, and it must come to the front.
    owner = VisibleOwner(owner);
    if (owner) return MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), flags | MB_SETFOREGROUND);
    // Wine ignores MB_TOPMOST: the box is made topmost as it is first activated, too.
    const HHOOK hook = SetWindowsHookExW(WH_CBT, OnTopWhenActivated, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(nullptr, std::wstring(text).c_str(), std::wstring(caption).c_str(),
                                   flags | MB_SETFOREGROUND | MB_TOPMOST);
    if (hook) UnhookWindowsHookEx(hook);
    return answer;
}

namespace {
// A modal box or dialog disables the windows it belongs to, so the enabled dialog is the one waiting.
BOOL CALLBACK FindOpenBox(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !IsDialogBox(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
}  // namespace

bool BringOpenBoxForward() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOpenBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return false;
    SetForegroundWindow(box);
    FLASHWINFO flash{sizeof flash, box, FLASHW_ALL, 3, 0};
    FlashWindowEx(&flash);
    return true;
}

void ShowError(HWND owner, std::wstring_view text) {
    (void)ShowMessage(owner, text, AppTitle(), MB_OK | MB_ICONERROR);
}

std::wstring SystemErrorText(DWORD error) {
    const auto format = [&](DWORD languageId, wchar_t*& buffer) {
        return FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                              nullptr, error, languageId, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    };
    wchar_t* buffer = nullptr;
    // Windows in one language holds its texts in that one only: then its own language answers.
    const WORD wanted = MessageLanguage() == ui::Language::Russian ? LANG_RUSSIAN : LANG_ENGLISH;
    DWORD length = format(MAKELANGID(wanted, SUBLANG_DEFAULT), buffer);
    if (!length) length = format(0, buffer);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error) + L".";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

namespace {
std::wstring FailureText(ui::FileFailure failure, const std::vector<std::pair<std::wstring, DWORD>>& files) {
    std::vector<ui::FailedFile> failed;
    failed.reserve(files.size());
    for (const auto& [path, error] : files) failed.push_back({ToU16(path), ToU16(SystemErrorText(error))});
    return ToWide(ui::FileFailureText(failure, failed, MessageLanguage()));
}
}  // namespace

void ShowCannotCreateFile(HWND owner, std::wstring_view path, DWORD error) {
    ShowCannotCreateFiles(owner, {{std::wstring(path), error}});
}

void ShowCannotCreateFiles(HWND owner, const std::vector<std::pair<std::wstring, DWORD>>& failures) {
    ShowError(owner, FailureText(ui::FileFailure::CannotCreate, failures));
}

std::wstring CannotOpenFileText(std::wstring_view path, DWORD error) {
    return FailureText(ui::FileFailure::CannotOpen, {{std::wstring(path), error}});
}

void ShowCannotOpenFile(HWND owner, std::wstring_view path, DWORD error) { ShowError(owner, CannotOpenFileText(path, error)); }

void ShowUnableToWrite(HWND owner, std::wstring_view path, DWORD error) {
    ShowError(owner, FailureText(ui::FileFailure::UnableToWrite, {{std::wstring(path), error}}));
}

void ShowUnableToWriteKeptIn(HWND owner, std::wstring_view path, DWORD error, std::wstring_view backup) {
    ShowError(owner, ToWide(ui::LinkedIniDamagedText(ToU16(path), ToU16(SystemErrorText(error)), ToU16(backup),
                                                     MessageLanguage())));
}

}  // namespace tavrik::app
