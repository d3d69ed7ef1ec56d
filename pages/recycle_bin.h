// Deleting to the Recycle Bin, with none of the shell's windows.
#pragma once

#include <functional>
#include <string>

namespace tavrik::pages {

// Sends a file, or a folder with everything in it, to the Recycle Bin; where the volume has none
// (a share, some removable drives) the shell deletes it outright, as it does for Explorer with these
// flags. False when it is still there.
bool SendToRecycleBin(const std::wstring& path);

// Tests answer in the shell's place, to see what happens when it refuses; an empty hook restores it.
void SetRecycleBinHook(std::function<bool(const std::wstring& path)> hook);

}  // namespace tavrik::pages
