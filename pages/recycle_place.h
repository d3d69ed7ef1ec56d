// Which drive a folder is on, for knowing whether a delete there can go to the Recycle Bin.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::pages {

// The root of the drive a full path is on, "C:\" for "C:\Notes\" and "\\?\C:\Notes\"; empty for
// a share ("\\server\share\", "\\?\UNC\…"), which has no Recycle Bin, and for a path with no drive.
std::u16string DriveRootOf(std::u16string_view path);

}  // namespace tavrik::pages
