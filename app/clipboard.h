// (Win32) The clipboard opened for a moment, and its text read without trusting what the owner put there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/unique.h"  // GlobalLocked

namespace tavrik::app {

class ClipboardOpen {
public:
    // The owner may still hold the clipboard for a moment: a few short tries, never a long wait.
    explicit ClipboardOpen(HWND owner);
    ~ClipboardOpen();
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

// Text formats: ANSI, OEM, Unicode (the system converts between them).
bool ClipboardHasText();

// The clipboard's text as Unicode, cut at its terminator or at the end of its memory; nullopt when
// the clipboard cannot be opened, holds no text, or holds more than `maxChars` characters.
std::optional<std::wstring> ReadClipboardText(HWND owner, size_t maxChars);

}  // namespace tavrik::app
