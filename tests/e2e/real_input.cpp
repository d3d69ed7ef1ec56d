// Keyboard and mouse input through SendInput.
#include "real_input.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrik::e2e {
namespace {

// Let the program take each step before the next comes, as between two real key presses.
constexpr DWORD kStepPauseMs = 30;

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT UnicodeKey(wchar_t ch, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

INPUT Mouse(DWORD flags, POINT screen = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        // Absolute positions run from 0 to 65535 across the primary screen, and the system rounds
        // them down to a pixel: round up here, or the pointer lands one pixel short.
        const LONGLONG width = GetSystemMetrics(SM_CXSCREEN);
        const LONGLONG height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
        input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    }
    return input;
}

void Send(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size()) << "SendInput refused input, error " << GetLastError();
    Sleep(kStepPauseMs);
}

bool MoveTo(POINT screen) {
    POINT at{};
    // The Windows tests run beside these on the same display, and some of them set the pointer.
    for (int tries = 0; tries < 3; ++tries) {
        Send({Mouse(MOUSEEVENTF_MOVE, screen)});
        GetCursorPos(&at);
        if (at.x == screen.x && at.y == screen.y) return true;
    }
    ADD_FAILURE() << "the pointer went to (" << at.x << ", " << at.y << ") instead of (" << screen.x << ", "
                  << screen.y << ")";
    return false;
}

}  // namespace

void PressKey(WORD virtualKey) { Send({Key(virtualKey, false), Key(virtualKey, true)}); }

void PressChord(WORD modifier, WORD virtualKey) {
    Send({Key(modifier, false), Key(virtualKey, false), Key(virtualKey, true), Key(modifier, true)});
}

void PressChord(WORD modifier, WORD secondModifier, WORD virtualKey) {
    Send({Key(modifier, false), Key(secondModifier, false), Key(virtualKey, false), Key(virtualKey, true),
          Key(secondModifier, true), Key(modifier, true)});
}

void PressKeyTimes(WORD virtualKey, int times) {
    for (int i = 0; i < times; ++i) PressKey(virtualKey);
}

void TypeText(std::wstring_view text) {
    for (wchar_t ch : text) Send({UnicodeKey(ch, false), UnicodeKey(ch, true)});
}

bool Click(POINT screen) {
    if (!MoveTo(screen)) return false;
    Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
    return true;
}

bool RightClick(POINT screen) {
    if (!MoveTo(screen)) return false;
    Send({Mouse(MOUSEEVENTF_RIGHTDOWN)});
    Send({Mouse(MOUSEEVENTF_RIGHTUP)});
    return true;
}

// One SendInput call: the pause between the clicks must stay inside the double-click time.
bool DoubleClick(POINT screen) {
    if (!MoveTo(screen)) return false;
    Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP), Mouse(MOUSEEVENTF_LEFTDOWN),
          Mouse(MOUSEEVENTF_LEFTUP)});
    return true;
}

bool Drag(POINT from, POINT to) {
    if (!MoveTo(from)) return false;
    Send({Mouse(MOUSEEVENTF_LEFTDOWN)});
    constexpr int kSteps = 10;
    for (int i = 1; i <= kSteps; ++i) {
        const POINT step{from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps};
        Send({Mouse(MOUSEEVENTF_MOVE, step)});
    }
    Send({Mouse(MOUSEEVENTF_LEFTUP)});
    POINT at{};
    GetCursorPos(&at);
    if (at.x == to.x && at.y == to.y) return true;
    ADD_FAILURE() << "the drag ended at (" << at.x << ", " << at.y << ") instead of (" << to.x << ", " << to.y << ")";
    return false;
}

}  // namespace tavrik::e2e
