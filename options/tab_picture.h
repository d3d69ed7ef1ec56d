// (Win32) The Options dialog's page tabs drawn once and shown again from a picture while unchanged.
#pragma once

#include <windows.h>

namespace tavrik::options {

// From now until the control goes. Each showing of the hidden dialog repaints every control,
// and under Wine the themed tab strip costs most of all, though nothing on it has changed. The
// picture is drawn at the first showing, not while the dialog is prepared: held from then on, it
// and what drawing it leaves behind cost some 0.8 MB, which a session that never opens the
// dialog should not pay.
void KeepTabPicture(HWND tabs);

}  // namespace tavrik::options
