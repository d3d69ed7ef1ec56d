// (Win32) Page editors between rich and plain text.
#include "editor/text_mode.h"

#include <richedit.h>

namespace tavrik::editor {

bool IsPlainText(HWND editor) { return (SendMessageW(editor, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT) != 0; }

bool SwitchTextMode(HWND editor, bool plain, const CharFormat& format) {
    if (IsPlainText(editor) == plain) {
        SetDefaultCharFormat(editor, format);
        return true;
    }
    const std::wstring text = GetText(editor);
    CHARRANGE selection{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const BOOL modified = static_cast<BOOL>(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    // The control changes its mode only while it holds no text and nothing to undo.
    SetWindowTextW(editor, L"");
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
    const WPARAM mode = (plain ? TM_PLAINTEXT : TM_RICHTEXT) | TM_MULTILEVELUNDO | TM_MULTICODEPAGE;
    const bool switched = SendMessageW(editor, EM_SETTEXTMODE, mode, 0) == 0;
    // Set before the text goes back, so the text carries it in both modes.
    SetDefaultCharFormat(editor, format);
    SetPlainText(editor, text);
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);  // undoing across the switch would mix the modes
    SendMessageW(editor, EM_SETMODIFY, modified, 0);
    return switched;
}

ScratchEditor::ScratchEditor(const CharFormat& format) {
    if (!LoadRichEditLibrary()) return;
    // No window of ours owns it and nobody sees it: no size, and no wrapping, which would make
    // Wine's control lay every line out against a width of nothing.
    hwnd_ = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    SendMessageW(hwnd_, EM_SETTEXTMODE, TM_RICHTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(hwnd_, EM_SETUNDOLIMIT, 0, 0);  // what it loads is never undone
    SetWordWrap(hwnd_, false);
    if (!format.face.empty()) SetDefaultCharFormat(hwnd_, format);
}

ScratchEditor::~ScratchEditor() {
    if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace tavrik::editor
