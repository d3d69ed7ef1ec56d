// (Win32) A page editor's switch between rich and plain text, and a hidden control for page files that
// have no editor.
#pragma once

#include <windows.h>

#include "editor/page_editor.h"

namespace tavrik::editor {

bool IsPlainText(HWND editor);

// The same text and selection in the other mode, `format` its default character format; plain
// text keeps no formatting and no objects. False when the control refused the mode; its text is
// then back as it was.
bool SwitchTextMode(HWND editor, bool plain, const CharFormat& format);

// A hidden rich-text control, never shown, reused for one page file after another.
class ScratchEditor {
public:
    explicit ScratchEditor(const CharFormat& format);  // no face: the control's own default
    ~ScratchEditor();
    ScratchEditor(const ScratchEditor&) = delete;
    ScratchEditor& operator=(const ScratchEditor&) = delete;
    HWND Handle() const { return hwnd_; }  // null when the control could not be made

private:
    HWND hwnd_ = nullptr;
};

}  // namespace tavrik::editor
