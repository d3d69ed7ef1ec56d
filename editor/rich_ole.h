// Embedded objects in page editors: the storage the control asks for, and pictures from the clipboard.
#pragma once

#include <windows.h>

namespace tavrik::editor {

// Gives the editor what it needs to hold embedded objects (the control asks for their storage).
void AllowObjects(HWND editor);

int ObjectCount(HWND editor);

// Embeds the clipboard's bitmap, device-independent bitmap or metafile at the caret as a static
// picture; for controls whose own paste takes no pictures.
bool InsertClipboardPicture(HWND editor);

}  // namespace tavrik::editor
