// (Win32) Embedded objects in page editors: the storage the control asks for, and pictures from the clipboard.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string_view>

namespace tavrik::editor {

// Gives the editor what it needs to hold embedded objects (the control asks for their storage),
// and has text dragged into it asked about first.
void AllowObjects(HWND editor);

// What becomes of text dragged into an editor. The editor's parent is asked with WM_NOTIFY,
// kTextDropNotice, and answers with one of these; a parent that does not answer (0) gets plain text.
enum class TextDrop : LRESULT { AsPlainText = 0, Refuse = 1, Inserted = 2 };
inline constexpr UINT kTextDropNotice = 0x0800;  // above the rich edit's own EN_ codes
struct TextDropNotice {
    NMHDR header;            // from the editor
    std::wstring_view text;  // what would arrive
    bool really;             // false: only asked whether it may come; true: the drop itself
    POINT screen;            // where it is dropped
};

int ObjectCount(HWND editor);

// Embeds the clipboard's bitmap, device-independent bitmap or metafile at the caret as a static
// picture; for controls whose own paste takes no pictures.
bool InsertClipboardPicture(HWND editor);

// Tests answer in place of the system's Insert Object and Object Properties dialogs.
struct ObjectDialogHooks {
    // Makes the chosen object in `storage` for `site`; false is a cancel.
    std::function<bool(IOleClientSite* site, IStorage* storage, IOleObject** object)> insertObject;
    std::function<void(IOleObject* object)> objectProperties;
};
void SetObjectDialogHooks(ObjectDialogHooks hooks);

// The system's Insert Object dialog; the object chosen is embedded at the caret. False when
// nothing was inserted (cancelled, or the system has no such dialog).
bool InsertObjectFromDialog(HWND owner, HWND editor);

// The selection is exactly one embedded object: no text, not several objects.
bool SelectionIsOneObject(HWND editor);

// The system's Object Properties dialog for the selected object.
void ShowObjectProperties(HWND owner, HWND editor);

// A static picture of the data object's bitmap or metafile, made in `storage` for `site`.
bool CreateStaticPicture(IDataObject* data, IOleClientSite* site, IStorage* storage, IOleObject** object);

}  // namespace tavrik::editor
