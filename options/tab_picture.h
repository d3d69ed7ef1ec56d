// (Win32) The Options dialog's page tabs drawn once and shown again from a picture while unchanged.
#pragma once

#include <windows.h>

namespace tavrik::options {

// From now until the control goes. Each showing of the hidden dialog repaints every control,
// and under Wine the themed tab strip costs most of all, though nothing on it has changed.
void KeepTabPicture(HWND tabs);
// The picture drawn now, while the dialog is hidden, so that its first showing has it too.
void DrawTabPicture(HWND tabs);

}  // namespace tavrik::options
