// Which page names may become file names in the save folder.
#pragma once

#include <string_view>

namespace tavrik::pages {

// CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, in any letter case, also followed by an extension
// or blanks: Windows opens the device instead of a file of that name.
bool IsReservedDeviceName(std::u16string_view name);

// A name read from the settings file is used as a file name only when the file stays directly in
// the save folder: no path separators, no "..", nothing Windows refuses in a file name.
bool IsSafeStoredPageName(std::u16string_view name);

}  // namespace tavrik::pages
