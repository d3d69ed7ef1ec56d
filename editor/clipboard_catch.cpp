// (Win32) TTavrikForm::CatchClipboardClick and the clipboard viewer chain: what anyone copies lands in the
// current page, also while the window is hidden.
#include "app/clipboard.h"
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "app/unique.h"
#include "editor/clipboard_privacy.h"
#include "editor/rich_ole.h"
#include "settings/parameters.h"
#include "ui/clipboard_texts.h"

#include <richedit.h>

namespace tavrik::app {
namespace {

// Larger texts would keep the window busy for seconds; they are left on the clipboard.
constexpr size_t kMaxCaughtChars = size_t{4} * 1024 * 1024;

// A DWORD format's value, when the clipboard holds it whole.
std::optional<std::uint32_t> ClipboardDword(UINT format) {
    GlobalLocked<const DWORD> value(GetClipboardData(format));
    if (!value.Get() || value.Bytes() < sizeof(DWORD)) return std::nullopt;
    return static_cast<std::uint32_t>(*value.Get());
}

// Owners such as password managers mark what clipboard monitors and the clipboard's history and
// cloud should leave alone.
bool MarkedNotForMonitors(HWND owner) {
    static const UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    static const UINT cloud = RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
    editor::ClipboardMarkers markers;
    markers.excludeFromMonitors = exclude && IsClipboardFormatAvailable(exclude);
    markers.viewerIgnore = ignore && IsClipboardFormatAvailable(ignore);
    const bool hasHistory = history && IsClipboardFormatAvailable(history);
    const bool hasCloud = cloud && IsClipboardFormatAvailable(cloud);
    if (!editor::MarkedPrivate(markers) && (hasHistory || hasCloud)) {
        ClipboardOpen clipboard(owner);
        if (!clipboard) return true;  // cannot tell: leave it alone
        if (hasHistory) markers.inHistory = ClipboardDword(history).value_or(0);  // unreadable: as if 0
        if (hasCloud) markers.toCloud = ClipboardDword(cloud).value_or(0);
    }
    return editor::MarkedPrivate(markers);
}

// The program file of whoever put the content on the clipboard; empty when nobody owns it (a
// program that ended, or one that copied without a window) or the system does not say.
std::wstring ClipboardOwnerProgram() {
    DWORD pid = 0;
    const HWND owner = GetClipboardOwner();
    if (!owner || !GetWindowThreadProcessId(owner, &pid) || pid == 0) return {};
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) return path.substr(0, size);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

// Copies from a program the user listed are never caught, whatever they are marked.
bool FromListedProgram(const std::u16string& list) {
    if (editor::ProgramNames(list).empty()) return false;
    const std::wstring program = ClipboardOwnerProgram();
    if (program.empty()) return false;  // nobody to hold it against
    return editor::IsListedProgram(ToU16(program), list, [](std::u16string_view a, std::u16string_view b) {
        return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                                    reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()),
                                    TRUE) == CSTR_EQUAL;
    });
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
    if (index < 0 || !EnsurePage(index) || MarkedNotForMonitors(hwnd_) || FromListedProgram(params.NoCatchFrom))
        return;
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
