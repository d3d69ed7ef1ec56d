// The Options dialog's rules: enabling, the folder field, the hot key control's value.
#include "options/options_rules.h"

#include "settings/parameters.h"

namespace tavrik::options {
namespace {

// HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT and HOTKEYF_EXT of the hot key control.
constexpr std::uint32_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04, kControlExt = 0x08;
constexpr std::int32_t kPackedShift = 0x2000, kPackedCtrl = 0x4000, kPackedAlt = 0x8000;

// Keys the control names by their numeric-pad twin unless it is told they are the other ones.
bool IsExtendedKey(std::uint32_t virtualKey) {
    return (virtualKey >= 0x21 && virtualKey <= 0x28)     // Page Up .. Down arrow
           || virtualKey == 0x2D || virtualKey == 0x2E    // Insert, Delete
           || virtualKey == 0x6F || virtualKey == 0x90;   // numeric /, Num Lock
}

char16_t FoldAsciiCase(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

int PositionOfAlpha(int alpha) {
    const int position = AlphaOfPosition(alpha);
    return position < 0 ? 0 : position > kTransparencyMax ? kTransparencyMax : position;
}

// Translucency needs layered windows, which the versions counted as 6, 7 and 8 have.
Enabling EnablingFor(int osVersion, const TickBoxes& boxes) {
    Enabling e;
    e.noTransparencyBox = settings::TranslucencyByDefault(osVersion);
    e.transparency = !boxes.noTransparency;
    e.fadeSpeed = e.transparency && boxes.showCool;
    e.hideTimeout = boxes.autoHide;
    e.decodeWarning = boxes.autoDecode;
    return e;
}

std::u16string FolderFieldText(std::u16string_view typed) {
    std::u16string text(typed);
    if (text.empty() || text.back() != u'\\') text += u'\\';
    return text;
}

bool FolderTextDiffers(std::u16string_view field, std::u16string_view inUse) {
    if (field.size() != inUse.size()) return true;
    for (size_t i = 0; i < field.size(); ++i)
        if (FoldAsciiCase(field[i]) != FoldAsciiCase(inUse[i])) return true;
    return false;
}

std::int32_t PackedFromControl(std::uint32_t controlValue) {
    const std::uint32_t flags = (controlValue >> 8) & 0xFF;
    std::int32_t packed = static_cast<std::int32_t>(controlValue & 0xFF);
    if (flags & kControlShift) packed |= kPackedShift;
    if (flags & kControlCtrl) packed |= kPackedCtrl;
    if (flags & kControlAlt) packed |= kPackedAlt;
    return packed;
}

std::uint32_t ControlFromPacked(std::int32_t packed) {
    const std::uint32_t virtualKey = static_cast<std::uint32_t>(packed) & 0xFF;
    std::uint32_t flags = 0;
    if (packed & kPackedShift) flags |= kControlShift;
    if (packed & kPackedCtrl) flags |= kControlCtrl;
    if (packed & kPackedAlt) flags |= kControlAlt;
    if (IsExtendedKey(virtualKey)) flags |= kControlExt;
    return virtualKey | (flags << 8);
}

// The numbers of the messages, as windows.h gives them: this file is built without it.
bool KeepsTabPicture(std::uint32_t message) {
    constexpr std::uint32_t kTcmFirst = 0x1300;
    switch (message) {
    case 0x000D:  // WM_GETTEXT
    case 0x000E:  // WM_GETTEXTLENGTH
    case 0x000F:  // WM_PAINT
    case 0x0014:  // WM_ERASEBKGND
    case 0x0031:  // WM_GETFONT
    case 0x003D:  // WM_GETOBJECT, a screen reader's question
    case 0x0046:  // WM_WINDOWPOSCHANGING: a change of size follows as WM_SIZE
    case 0x0047:  // WM_WINDOWPOSCHANGED
    case 0x0084:  // WM_NCHITTEST
    case 0x0085:  // WM_NCPAINT
    case 0x0087:  // WM_GETDLGCODE
    case 0x0129:  // WM_QUERYUISTATE
    case 0x0317:  // WM_PRINT
    case 0x0318:  // WM_PRINTCLIENT
    case kTcmFirst + 4:   // TCM_GETITEMCOUNT
    case kTcmFirst + 10:  // TCM_GETITEMRECT
    case kTcmFirst + 11:  // TCM_GETCURSEL
    case kTcmFirst + 13:  // TCM_HITTEST
    case kTcmFirst + 40:  // TCM_ADJUSTRECT
    case kTcmFirst + 44:  // TCM_GETROWCOUNT
    case kTcmFirst + 47:  // TCM_GETCURFOCUS
    case kTcmFirst + 60:  // TCM_GETITEMW
        return true;
    default:
        return false;
    }
}

}  // namespace tavrik::options
