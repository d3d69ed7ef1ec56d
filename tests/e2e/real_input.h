// Keyboard and mouse input made with SendInput, as a user's hands make it: keys go to the window
// with the focus, clicks to the window under the pointer.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavrik::e2e {

void PressKey(WORD virtualKey);
void PressChord(WORD modifier, WORD virtualKey);  // Ctrl+N is PressChord(VK_CONTROL, 'N')
void PressChord(WORD modifier, WORD secondModifier, WORD virtualKey);
void PressKeyTimes(WORD virtualKey, int times);
void TypeText(std::wstring_view text);             // any characters, Cyrillic included

// Each moves the pointer first; false (the test failed) when the pointer did not get there.
bool Click(POINT screen);
bool RightClick(POINT screen);
bool DoubleClick(POINT screen);
// Presses the left button at from, moves to to in small steps, as a hand would, and releases.
bool Drag(POINT from, POINT to);

}  // namespace tavrik::e2e
