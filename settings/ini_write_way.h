// How a write reaches tavrik.ini: replaced whole through a temporary file, or rewritten in place
// when other names share the file (a hard link), since a replace would cut them off.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrik::settings {

enum class IniWriteWay {
    Replace,  // a temporary file takes the name: whole or not at all
    InPlace,  // a backup copy first, then the same file rewritten, so every link sees it
};

// linkCount: the names the file system counts for the file; nullopt when it could not say.
IniWriteWay ChooseIniWriteWay(std::optional<std::uint32_t> linkCount);

// The backup beside the settings file that an in-place write makes first.
std::u16string IniBackupPath(std::u16string_view iniPath);

}  // namespace tavrik::settings
