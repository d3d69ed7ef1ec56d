// What the notification-area icon says: its tip and the notice of the first start.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

// The shell's buffers, less the terminating null.
inline constexpr std::size_t kTrayTipChars = 127;
inline constexpr std::size_t kTrayNoticeTitleChars = 63;
inline constexpr std::size_t kTrayNoticeTextChars = 255;

// "Tavrik — Scroll Lock", then `notice` (what the caption tells of pages, cut to fit), then a line
// saying the clipboard is being caught. `hotKey` empty: no hot key works, the name alone.
std::u16string TrayTip(Language language, std::u16string_view hotKey, std::u16string_view notice, bool catching);

struct TrayNotice {
    std::u16string title;
    std::u16string text;
};

// Shown once, at the first start: the program runs hidden, and how to call it up.
TrayNotice FirstStartNotice(Language language, std::u16string_view hotKey);

}  // namespace tavrik::ui
