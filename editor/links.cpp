// (Win32) TTavrikForm's links in pages: a left click opens one, a right click offers to copy it.
#include "app/clipboard.h"
#include "app/shell_open.h"
#include "app/tavrik_form.h"

#include <richedit.h>

namespace tavrik::app {
namespace {

std::wstring TextRange(HWND editor, CHARRANGE range) {
    if (range.cpMax <= range.cpMin) return {};
    std::wstring text(static_cast<size_t>(range.cpMax - range.cpMin) + 1, L'\0');
    TEXTRANGEW request{range, text.data()};
    text.resize(static_cast<size_t>(SendMessageW(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request))));
    return text;
}

}  // namespace

// The control reports the link before the mouse-up of the same click, so the context menu that
// a right click opens already knows about the link.
void TTavrikForm::RichEditURLClick(const ENLINK& link) {
    if (link.msg == WM_LBUTTONUP) {
        const std::wstring url = TextRange(link.nmhdr.hwndFrom, link.chrg);
        if (!url.empty()) ShellOpen(hwnd_, url);  // the shell's business
    } else if (link.msg == WM_RBUTTONDOWN) {
        LinkUnderRightClick = true;
        ClickedLink = TextRange(link.nmhdr.hwndFrom, link.chrg);
    }
}

void TTavrikForm::CopyHiperlinkMenuClick() {
    ClipboardOpen clipboard(hwnd_);
    if (clipboard && EmptyClipboard()) {
        const size_t bytes = (ClickedLink.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            {
                GlobalLocked<wchar_t> text(memory);
                if (text.Get()) memcpy(text.Get(), ClickedLink.c_str(), bytes);
            }
            // cppcheck-suppress doubleFree ; it takes the unlock of GlobalLocked for a free
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);  // the system did not take it
        }
    }
    ClickedLink.clear();
}

}  // namespace tavrik::app
