// (Win32) Clipboard access.
#include "app/clipboard.h"

namespace tavrik::app {

ClipboardOpen::ClipboardOpen(HWND owner) {
    for (int attempt = 0; attempt < 4 && !open_; ++attempt) {
        if (attempt) Sleep(5);
        open_ = OpenClipboard(owner) != FALSE;
    }
}

ClipboardOpen::~ClipboardOpen() {
    if (open_) CloseClipboard();
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT) ||
           IsClipboardFormatAvailable(CF_OEMTEXT);
}

std::optional<std::wstring> ReadClipboardText(HWND owner, size_t maxChars) {
    ClipboardOpen clipboard(owner);
    if (!clipboard) return std::nullopt;
    GlobalLocked<const wchar_t> text(GetClipboardData(CF_UNICODETEXT));
    if (!text.Get()) return std::nullopt;
    const size_t capacity = text.Bytes() / sizeof(wchar_t);
    size_t length = 0;
    while (length < capacity && text.Get()[length] != L'\0') {
        if (++length > maxChars) return std::nullopt;
    }
    return std::wstring(text.Get(), length);
}

}  // namespace tavrik::app
