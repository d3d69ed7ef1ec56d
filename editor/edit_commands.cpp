// TTavrikForm's clipboard commands on the current page.
#include "app/clipboard.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/paste_text.h"

#include <richedit.h>

namespace tavrik::app {

void TTavrikForm::PasteButtonClick() {
    const HWND editor = Editor(TabIndex());
    if (!editor) return;
    if (!ClipboardHasText()) {
        SendMessageW(editor, WM_PASTE, 0, 0);  // pictures, objects, rich text: the control's own paste
        return;
    }
    // Unicode text, not the ANSI form: nothing is lost to the system's code page.
    auto text = ReadClipboardText(hwnd_, static_cast<size_t>(-1));
    if (!text) return;
    if (AutoDecode && !text->empty()) *text = ToWide(editor::RecodePastedText(ToU16(*text)));
    // One replacement is one undo step, recoding included; the caret ends after the text.
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
    SendMessageW(editor, EM_SCROLLCARET, 0, 0);
}

}  // namespace tavrik::app
