// (Win32) TTavrikForm::CatchClipboardClick and the clipboard viewer chain: what anyone copies lands in the
// current page, also while the window is hidden.
#include "app/clipboard.h"
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/rich_ole.h"
#include "settings/parameters.h"
#include "ui/clipboard_texts.h"

#include <richedit.h>

namespace tavrik::app {
namespace {

// Larger texts would keep the window busy for seconds; they are left on the clipboard.
constexpr size_t kMaxCaughtChars = size_t{4} * 1024 * 1024;

// Owners such as password managers mark what clipboard monitors should leave alone.
bool MarkedNotForMonitors(HWND owner) {
    static const UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    if ((exclude && IsClipboardFormatAvailable(exclude)) || (ignore && IsClipboardFormatAvailable(ignore)))
        return true;
    if (!history || !IsClipboardFormatAvailable(history)) return false;
    ClipboardOpen clipboard(owner);
    if (!clipboard) return true;  // cannot tell: leave it alone
    GlobalLocked<const DWORD> allowed(GetClipboardData(history));
    return allowed.Get() && allowed.Bytes() >= sizeof(DWORD) && *allowed.Get() == 0;
}

bool ClipboardHasPicture() {
    return IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
           IsClipboardFormatAvailable(CF_METAFILEPICT);
}

}  // namespace

void TTavrikForm::JoinClipboardChain() {
    SkipNextClipboard = true;
    joinSequence_ = GetClipboardSequenceNumber();
    NextClipboardViewer = SetClipboardViewer(hwnd_);
    inClipboardChain_ = true;
}

void TTavrikForm::LeaveClipboardChain() {
    if (!inClipboardChain_) return;
    (void)ChangeClipboardChain(hwnd_, NextClipboardViewer);  // nothing to do if the system refuses
    inClipboardChain_ = false;
    NextClipboardViewer = nullptr;
}

void TTavrikForm::CatchClipboardClick() {
    const bool on = !params.CatchClipboard;
    // A refused write leaves catching as it was, so the check, the chain and the file agree.
    settings::Parameters next = params;
    next.CatchClipboard = on;
    if (!settings::IniFile(SettingsPath()).WriteParameters(next, {&settings::Parameters::CatchClipboard})) return;
    params.CatchClipboard = on;
    if (on) JoinClipboardChain();
    else LeaveClipboardChain();
    UpdateTray();  // the mark and the tip say whether everything copied lands here
}

LRESULT TTavrikForm::wmDrawClipboard(WPARAM wp, LPARAM lp) {
    // Read before passing the notice on: while a slow viewer after us takes its time, the next
    // copy arrives as a nested notice, and the clipboard no longer holds what this one announced.
    // The sequence number keeps a notice that comes round again (a nested one, a chain that loops)
    // from catching the same copy twice; 0 means the system does not tell, and then we cannot.
    const DWORD sequence = GetClipboardSequenceNumber();
    // Joining the chain announces the content already there; only a real change is caught.
    const bool joinNotice = SkipNextClipboard && sequence == joinSequence_;
    SkipNextClipboard = false;
    if (!joinNotice && params.CatchClipboard && (sequence == 0 || sequence != caughtSequence_)) {
        caughtSequence_ = sequence;
        CatchClipboardContent();
    }
    // A hung viewer after us must not hang us too.
    DWORD_PTR result = 0;
    if (NextClipboardViewer)
        (void)SendMessageTimeoutW(NextClipboardViewer, WM_DRAWCLIPBOARD, wp, lp, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

LRESULT TTavrikForm::wmChangeCBChain(HWND leaving, HWND next) {
    if (leaving == NextClipboardViewer) {
        NextClipboardViewer = next;
        return 0;
    }
    DWORD_PTR result = 0;
    if (NextClipboardViewer)
        (void)SendMessageTimeoutW(NextClipboardViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving),
                                  reinterpret_cast<LPARAM>(next), SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

void TTavrikForm::CatchClipboardContent() {
    const int index = TabIndex();
    if (index < 0 || !EnsurePage(index) || MarkedNotForMonitors(hwnd_)) return;
    const bool text = ClipboardHasText();
    if (!text && !ClipboardHasPicture()) return;
    const PageSlot& slot = book_[index];
    const HWND editor = slot.editor;
    if (slot.unreadable) {
        // The page never reaches its file this run: what went in would be lost without a word.
        // One notice while it stays so, not one per copy; posted, since the program that copied
        // may be waiting for this notice to come back.
        if (catchRefusedEditor_ != editor) {
            catchRefusedEditor_ = editor;
            catchRefusedPage_ = slot.name;
            PostMessageW(hwnd_, kMsgCatchRefused, 0, 0);
        }
        return;
    }
    if (catchRefusedEditor_ == editor) catchRefusedEditor_ = nullptr;  // readable again: a later failure is news
    if (text) {
        const auto caught = ReadClipboardText(hwnd_, kMaxCaughtChars);
        if (!caught) return;  // locked, empty handle or too large: the chain went on regardless
        SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(caught->c_str()));
        SendMessageW(editor, EM_SCROLLCARET, 0, 0);  // the next show finds the caret in view
    } else {
        // The control's own paste embeds the picture; where it takes no bitmaps, we embed it.
        const int objects = editor::ObjectCount(editor);
        SendMessageW(editor, WM_PASTE, 0, 0);
        if (editor::ObjectCount(editor) == objects) (void)editor::InsertClipboardPicture(editor);
    }
}

void TTavrikForm::ShowCatchRefused() {
    const ui::RefusalMessage message =
        ui::RefusedPutMessage(ui::RefusedPut::Catch, ToU16(catchRefusedPage_), InterfaceLanguage());
    (void)ShowMessage(hwnd_, ToWide(message.text), ToWide(message.caption), MB_OK | MB_ICONINFORMATION);
}

}  // namespace tavrik::app
