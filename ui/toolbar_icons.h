// (Win32) The images of the toolbars and menus, drawn by the program at the size the screen asks for.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace tavrik::ui {

// Indexes into the image list; the gaps are blank images.
enum ToolbarImage : int {
    kImageBackground = 0,
    kImagePrevPage = 1,
    kImageCopy = 2,
    kImageCut = 3,
    kImageDeletePage = 4,
    kImageNextPage = 6,
    kImageNewPage = 7,
    kImagePaste = 9,
    kImagePrint = 10,
    kImageFind = 11,
    kImageOptions = 12,
    kImageSave = 14,
    kImageUndo = 16,
    kImageOpen = 17,
    kImageUnderline = 18,
    kImageAlignCenter = 19,
    kImageAlignLeft = 20,
    kImageAlignRight = 21,
    kImageBold = 22,
    kImageItalic = 23,
    kImageJustify = 24,
    kImageFont = 25,
    kImageFindMenu = 26,
    kImageHelp = 27,
    kImageOptionsMenu = 28,
};
inline constexpr int kToolbarImageCount = 29;

// Edge of a toolbar image in pixels for a window at `dpi`: 16 at 96 DPI, in steps of 8, 16 to 64.
int ToolbarIconPixels(UINT dpi);

// All toolbar images at pixels × pixels (held to 16..64) in a new 32-bit image list with alpha
// and a mask; the caller destroys it. Null when GDI runs out of resources.
HIMAGELIST CreateToolbarImages(int pixels, bool disabled = false);  // disabled: grey and faint

}  // namespace tavrik::ui
