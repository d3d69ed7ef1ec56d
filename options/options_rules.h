// What the Options dialog's controls allow and show, decided from the values they hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrik::options {

inline constexpr int kFadeSpeedMin = 1, kFadeSpeedMax = 99;
inline constexpr int kHideTimeoutMin = 0, kHideTimeoutMax = 99;
inline constexpr int kMaxNoCatchChars = 1024;  // the programs never caught from, as typed
inline constexpr int kTransparencyMax = 240;  // the track bar's right end: alpha 15

// The alpha a track bar position stands for, and back.
constexpr int AlphaOfPosition(int position) { return 255 - position; }
int PositionOfAlpha(int alpha);  // clamped to the track bar's range

struct Enabling {
    bool noTransparencyBox = false;  // the system can make the window translucent
    bool transparency = false;       // fade tick box, translucency label and track bar
    bool fadeSpeed = false;          // fade speed label and spin edit
    bool hideTimeout = false;        // timeout label, spin edit and "sec"
    bool decodeWarning = false;
};

struct TickBoxes {
    bool noTransparency = false;
    bool showCool = false;
    bool autoHide = false;
    bool autoDecode = false;
};

Enabling EnablingFor(int osVersion, const TickBoxes& boxes);

// The folder field after a change: it always ends in one backslash; emptied, it is "\".
std::u16string FolderFieldText(std::u16string_view typed);

// Whether the folder field differs from the folder in use, as the field's text is compared:
// letters A to Z without regard to case, every other character as it is.
bool FolderTextDiffers(std::u16string_view field, std::u16string_view inUse);

// The hot key control's value (virtual key, HOTKEYF_ bits in the high byte) <-> the packed value
// of the settings file (virtual key, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
std::int32_t PackedFromControl(std::uint32_t controlValue);
std::uint32_t ControlFromPacked(std::int32_t packed);

// Whether a message to the page tabs leaves their look as it was: painting and questions do;
// anything else (the mouse, the focus, a new caption or page, a size, a theme) may change it.
bool KeepsTabPicture(std::uint32_t message);

}  // namespace tavrik::options
