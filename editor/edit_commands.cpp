// (Win32) TTavrikForm's clipboard commands on the current page, and text dropped into a page.
#include "app/clipboard.h"
#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/paste_text.h"
#include "editor/rich_ole.h"
#include "ui/clipboard_texts.h"
#include "ui/shortcut_rules.h"

#include <richedit.h>

namespace tavrik::app {

// A page whose file could not be read is never written this run: what went in would be lost.
bool TTavrikForm::RefusePut(int index, bool tell) {
    if (index < 0 || index >= PageCount() || !book_[index].unreadable) return false;
    if (tell) {
        const ui::RefusalMessage message =
            ui::RefusedPutMessage(ui::RefusedPut::Paste, ToU16(PageName(index)), InterfaceLanguage());
        (void)ShowMessage(hwnd_, ToWide(message.text), ToWide(message.caption), MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

void TTavrikForm::PasteButtonClick() {
    const int index = TabIndex();
    const HWND editor = Editor(index);
    if (!editor || RefusePut(index, true)) return;
    if (!ClipboardHasText()) {
        SendMessageW(editor, WM_PASTE, 0, 0);  // pictures, objects, rich text: the control's own paste
        return;
    }
    // Unicode text, not the ANSI form: nothing is lost to the system's code page.
    auto text = ReadClipboardText(hwnd_, static_cast<size_t>(-1));
    if (!text) return;
    if (params.AutoDecode && !text->empty()) *text = ToWide(editor::RecodePastedText(ToU16(*text)));
    // One replacement is one undo step, recoding included; the caret ends after the text.
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
    SendMessageW(editor, EM_SCROLLCARET, 0, 0);
}

// The control pastes by itself on Ctrl+V and Shift+Insert, past the recoding and keeping the
// formatting; its key notices let us run Paste instead. True: the control must ignore the key.
bool TTavrikForm::EditorKeyFilter(const MSGFILTER& filter) {
    if (filter.msg == WM_CHAR) return filter.wParam == 0x16;  // the Ctrl+V character, never text
    if (filter.msg != WM_KEYDOWN) return false;
    const ui::KeyModifiers modifiers{.alt = GetKeyState(VK_MENU) < 0,
                                     .ctrl = GetKeyState(VK_CONTROL) < 0,
                                     .shift = GetKeyState(VK_SHIFT) < 0};
    if (!ui::IsPasteKey(static_cast<std::uint32_t>(filter.wParam), modifiers)) return false;
    if (filter.nmhdr.hwndFrom == CurrentEditor()) OnCommand(static_cast<WORD>(ui::Cmd::Paste), 0);  // as the menu does
    return true;
}

// Text dropped into a page follows Paste: plain text, recoded when AutoDecode is on. Where the
// recoding changes it, the text is put in here and the control told to take nothing, so the
// program it came from keeps its copy; otherwise the control takes it as plain text itself,
// which keeps a move within the page a move.
editor::TextDrop TTavrikForm::PageTextDrop(HWND editor, std::wstring_view text, bool really, POINT screen) {
    int index = -1;
    for (int i = 0; i < PageCount(); ++i)
        if (book_[i].editor == editor) index = i;
    if (index < 0 || RefusePut(index, false)) return editor::TextDrop::Refuse;
    if (!params.AutoDecode || text.empty()) return editor::TextDrop::AsPlainText;
    const std::wstring recoded = ToWide(editor::RecodePastedText(ToU16(text)));
    if (recoded == text) return editor::TextDrop::AsPlainText;
    if (!really) return editor::TextDrop::AsPlainText;  // only asked whether it may come
    POINT client = screen;
    ScreenToClient(editor, &client);
    POINTL at{client.x, client.y};
    const LONG position = static_cast<LONG>(SendMessageW(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
    CHARRANGE range{position, position};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(recoded.c_str()));
    return editor::TextDrop::Inserted;
}

}  // namespace tavrik::app
