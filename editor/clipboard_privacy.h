// What clipboard catching leaves alone: content its owner marked private, and copies made by
// programs the user listed (password managers and the like).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::editor {

// The markers a copy may carry. The two DWORD formats say 0 to keep the copy out of the
// clipboard's history and out of the cloud; a value the clipboard could not give is nullopt.
struct ClipboardMarkers {
    bool excludeFromMonitors = false;  // "ExcludeClipboardContentFromMonitorProcessing"
    bool viewerIgnore = false;         // "Clipboard Viewer Ignore"
    std::optional<std::uint32_t> inHistory;  // "CanIncludeInClipboardHistory"
    std::optional<std::uint32_t> toCloud;    // "CanUploadToCloudClipboard"
};

bool MarkedPrivate(const ClipboardMarkers& markers);

// The names of a NoCatchFrom value: split at ';' and ',', blanks around each trimmed, empty ones dropped.
std::vector<std::u16string> ProgramNames(std::u16string_view list);

// Whether the program at `imagePath` is one of the list: its file name equals a name, or a name
// without an extension plus ".exe". `sameName` compares as the file system does (ignoring case).
using SameName = std::function<bool(std::u16string_view, std::u16string_view)>;
bool IsListedProgram(std::u16string_view imagePath, std::u16string_view list, const SameName& sameName);

}  // namespace tavrik::editor
