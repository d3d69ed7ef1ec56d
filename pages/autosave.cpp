// (Win32) TTavrikForm's autosave: a changed page reaches its file a few seconds after the changes stop.
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "pages/page_name.h"

#include <algorithm>

namespace tavrik::app {
namespace {

// Changes that never pause (a long paste stream, copies caught one after another) still reach the
// file this long after the first of them.
constexpr ULONGLONG kLongestWaitMs = 60'000;
// While another operation's box is open, the write waits for it this long at a time.
constexpr UINT kBusyRetryMs = 1'000;

}  // namespace

// Each change starts the quiet time again, so nothing is written during a burst of typing; no timer
// runs while every page is as its file holds it.
void TTavrikForm::NoteChange(HWND editor) {
    if (params.AutoSave <= 0 || !editor || loadingPage_ > 0 || !SendMessageW(editor, EM_GETMODIFY, 0, 0)) return;
    const ULONGLONG now = GetTickCount64();
    const UINT quiet = static_cast<UINT>(params.AutoSave) * 1000;
    if (!autoSaveArmed_) {
        autoSaveArmed_ = true;
        autoSaveSince_ = now;
    } else if (now - autoSaveSince_ + quiet > kLongestWaitMs) {
        return;  // the timer already set fires in time
    }
    SetTimer(hwnd_, kTimerAutoSave, quiet, nullptr);
}

// Writes every page changed since its last write, through the same path as every save. A page that
// cannot be written is said once; it is tried again quietly while it stays changed, and the caption
// and the tray tip name it until a write succeeds.
void TTavrikForm::AutoSaveTime() {
    KillTimer(hwnd_, kTimerAutoSave);
    autoSaveArmed_ = false;
    if (params.AutoSave <= 0) return;
    if (Busy()) {  // a box of another save or command is open: after it
        autoSaveArmed_ = true;
        autoSaveSince_ = GetTickCount64();
        SetTimer(hwnd_, kTimerAutoSave, kBusyRetryMs, nullptr);
        return;
    }
    const OneAtATime one(busy_);
    bool failing = false;
    for (int i = 0; i < PageCount(); ++i) {
        const PageSlot& slot = book_[i];
        if (!slot.loaded || !slot.editor || slot.unreadable || !SendMessageW(slot.editor, EM_GETMODIFY, 0, 0)) continue;
        const bool toldBefore = slot.saveFailed;
        const DWORD error = WritePageFile(i);
        if (error == ERROR_SUCCESS) continue;
        failing = true;
        if (!toldBefore) ShowPageNotSaved(i, error);
    }
    if (book_.ListOwed()) (void)WritePageList();  // an entry whose write failed; said when it did
    if (failing && !autoSaveArmed_) {
        autoSaveArmed_ = true;
        autoSaveSince_ = GetTickCount64();
        SetTimer(hwnd_, kTimerAutoSave, static_cast<UINT>(params.AutoSave) * 1000, nullptr);
    }
}

// The pages whose last write failed, those whose file someone else changed while they changed
// here too (until the user has looked at their versions), and page files no page lists.
void TTavrikForm::ShowSaveState() {
    std::wstring failed, both, noVersion;
    for (const PageSlot& slot : book_) {
        if (slot.saveFailed) failed += (failed.empty() ? L"" : L", ") + ToWide(pages::ShownName(ToU16(slot.name)));
        if (slot.versionError != 0) noVersion += (noVersion.empty() ? L"" : L", ") + ToWide(pages::ShownName(ToU16(slot.name)));
        if (slot.bothChanged) both += (both.empty() ? L"" : L", ") + ToWide(pages::ShownName(ToU16(slot.name)));
    }
    std::wstring notice;
    if (!failed.empty()) notice += L" - " + FormatText(PageText(ui::PageText::NotSaved), {failed});
    if (!both.empty()) notice += L" - " + FormatText(PageText(ui::PageText::BothChanged), {both});
    if (!noVersion.empty()) notice += L" - " + FormatText(VersionText(ui::VersionText::NotKeptNotice), {noVersion});
    notice += UnlistedNotice();  // page files in the folder no page lists, until the user looks
    const std::wstring caption = mainCaption_.empty() ? std::wstring(AppTitle()) : mainCaption_;
    SetWindowTextW(hwnd_, (caption + notice).c_str());
    stateNotice_ = notice;
    trayIcon_.SetTip(TrayTipText());
}

}  // namespace tavrik::app
