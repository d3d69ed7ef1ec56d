// Deleting to the Recycle Bin, with none of the shell's windows.
#pragma once

#include <functional>
#include <string>

namespace tavrik::pages {

// Sends a file, or a folder with everything in it, to the Recycle Bin. Never deletes outright:
// where the bin cannot take it (a drive without one, a file too big for it) it stays, and the
// answer is false, as it is whenever it is still there.
bool SendToRecycleBin(const std::wstring& path);

// Tests answer in the shell's place, to see what happens when it refuses; an empty hook restores it.
void SetRecycleBinHook(std::function<bool(const std::wstring& path)> hook);

// Whether Windows keeps a Recycle Bin on the drive of this folder: on fixed drives only, not on
// removable ones, shares, mapped network drives, RAM disks or CDs.
bool FolderHasRecycleBin(const std::wstring& folder);
// Tests answer in Windows' place; an empty hook restores it.
void SetRecycleBinProbe(std::function<bool(const std::wstring& folder)> probe);

}  // namespace tavrik::pages
