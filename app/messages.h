// (Win32) Window messages, timers and ids of the program's own.
#pragma once

#include <windows.h>

namespace tavrik::app {

inline constexpr int kHotKeyId = 0;  // the one registration of the window
inline constexpr UINT_PTR kTimerAutoHide = 1;
inline constexpr UINT_PTR kTimerBuildHidden = 2;
inline constexpr UINT_PTR kTimerAutoSave = 3;  // armed only while a page has changes not yet written
// While the window is up, the files of the pages in editors are looked at this often; a folder
// that answers slowly (a share far away) is looked at far less often.
inline constexpr UINT_PTR kTimerPageFiles = 4;
inline constexpr UINT kPageFilesEveryMs = 2'000;
inline constexpr UINT kPageFilesSlowEveryMs = 30'000;
inline constexpr UINT_PTR kTimerSettingsBack = 5;  // runs while tavrik.ini is held back
inline constexpr UINT_PTR kTimerTellWhenShown = 6;  // a waiting message, while another box is open
inline constexpr UINT_PTR kTimerPrepareOptions = 7;  // the Options dialog made once the window is up
inline constexpr UINT kMsgTrayIcon = WM_APP + 1;
inline constexpr UINT kMsgCatchRefused = WM_APP + 2;  // a copy was not caught: say so outside the notice
// Posted by the installer and the uninstaller to the window of class TTavrikForm: end as Exit does,
// saving every page first. A failed save keeps the program up, which is how they learn of it.
// The number is fixed: installers of later versions send it to this one.
inline constexpr UINT kMsgExitRequest = WM_APP + 3;
inline constexpr UINT kMsgTellWhenShown = WM_APP + 4;  // the messages waiting for the window to be up
inline constexpr UINT kMsgRunCommands = WM_APP + 5;   // commands from the command line wait their turn
inline constexpr UINT_PTR kTimerRunCommands = 8;      // a box of ours was open: the commands try again
// WM_COPYDATA's dwData for a command line passed on by a second start: its arguments in UTF-16,
// each ended by a NUL. Fixed, as later versions send it to this one.
inline constexpr ULONG_PTR kCommandDataTag = 0x5456434D;  // "TVCM"
inline constexpr UINT kMsgSearchMore = WM_APP + 10;   // Find in all pages: the next slice of pages
inline constexpr UINT kMsgSearchDpiChanged = WM_APP + 11;  // its window was scaled for another monitor

// Timers of Find in all pages, on its own window.
inline constexpr UINT_PTR kTimerSearchTyping = 1;  // the query box rests: search
inline constexpr UINT_PTR kTimerSearchResume = 2;  // the user was typing: go on searching

inline constexpr int kTabControlId = 100;
inline constexpr int kFirstEditorId = 1000;

}  // namespace tavrik::app
