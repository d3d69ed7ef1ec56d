// (Win32) The main window's icon in the notification area.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <string_view>

#include "app/unique.h"

namespace tavrik::window {

// Explorer broadcasts this to every top-level window when it starts again; its icons are gone then.
UINT TaskbarCreatedMsg();

// One icon, taken away again when the object goes. Clicks reach the owner as callbackMessage in
// the shell's version 4 form: LOWORD(lParam) is the event (WM_LBUTTONUP, WM_CONTEXTMENU,
// NIN_SELECT, ...) and wParam the point on the screen (GET_X_LPARAM, GET_Y_LPARAM).
class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon();

    // The icon is not owned and must stay valid until Remove. False when the shell did not take
    // it; it is still wanted then and comes back with OnTaskbarCreated.
    bool Add(HWND owner, UINT callbackMessage, HICON icon, std::wstring_view tip);
    void Remove();
    void SetTip(std::wstring_view tip);  // also kept while the shell holds no icon
    void SetIcon(HICON icon);            // not owned, as with Add
    // A notification beside the icon (a balloon, or a toast on Windows 10 and 11), shown once; false
    // when the shell holds no icon now. The last one asked for is kept for the tests.
    bool Notify(std::wstring_view title, std::wstring_view text);
    void OnTaskbarCreated();             // call on TaskbarCreatedMsg()
    bool Shown() const { return shown_; }
    bool Wanted() const { return wanted_; }  // between Add and Remove, held by the shell or not
    HICON Icon() const { return data_.hIcon; }
    std::wstring_view Tip() const { return data_.szTip; }
    const std::wstring& NoticeTitle() const { return noticeTitle_; }
    const std::wstring& NoticeText() const { return noticeText_; }

private:
    bool Place();
    void CopyTip(std::wstring_view tip);

    NOTIFYICONDATAW data_{};
    bool wanted_ = false;  // between Add and Remove
    bool shown_ = false;   // the shell holds the icon
    std::wstring noticeTitle_;
    std::wstring noticeText_;
};

// A copy of `icon` with the mark that says the clipboard is being caught; null when Windows
// refused a part of it.
app::UniqueIcon MarkedIcon(HICON icon);

}  // namespace tavrik::window
