// Message boxes.
#include "app/error_box.h"

#include "app/text.h"

namespace tavrik::app {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

std::wstring& Title() {
    static std::wstring title = L"\u0422\u0430\u0432\u0440\u0438\u043A";  // Таврик
    return title;
}
}  // namespace

std::wstring_view AppTitle() { return Title(); }
void SetAppTitle(std::wstring_view title) { Title() = title; }

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
    if (Sink()) return Sink()(text, caption, flags);
    // We are often hidden: only a visible window may own the box, and it must come to the front.
    if (owner && !IsWindowVisible(owner)) owner = nullptr;
    return MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), flags | MB_SETFOREGROUND);
}

void ShowError(HWND owner, std::wstring_view text) {
    (void)ShowMessage(owner, text, AppTitle(), MB_OK | MB_ICONERROR);
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error) + L".";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

void ShowCannotCreateFile(HWND owner, std::wstring_view path, DWORD error) {
    ShowCannotCreateFiles(owner, {{std::wstring(path), error}});
}

void ShowCannotCreateFiles(HWND owner, const std::vector<std::pair<std::wstring, DWORD>>& failures) {
    std::wstring text;
    for (const auto& [path, error] : failures) {
        if (!text.empty()) text += L"\r\n";
        text += FormatText(L"Cannot create file \"%s\". %s", {path, SystemErrorText(error)});
    }
    ShowError(owner, text);
}

std::wstring CannotOpenFileText(std::wstring_view path, DWORD error) {
    return FormatText(L"Cannot open file \"%s\". %s", {path, SystemErrorText(error)});
}

void ShowCannotOpenFile(HWND owner, std::wstring_view path, DWORD error) { ShowError(owner, CannotOpenFileText(path, error)); }

void ShowUnableToWrite(HWND owner, std::wstring_view path) {
    ShowError(owner, FormatText(L"Unable to write to %s", {path}));
}

}  // namespace tavrik::app
