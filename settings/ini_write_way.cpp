// The choice between replacing tavrik.ini and rewriting it in place.
#include "settings/ini_write_way.h"

namespace tavrik::settings {

// A package manager that keeps settings across updates by hard link (Scoop's persist does) would
// lose every later change if the file were replaced: the new file has the name, the kept copy not.
// An unknown count (a file system that does not say) keeps the safer replace.
IniWriteWay ChooseIniWriteWay(std::optional<std::uint32_t> linkCount) {
    return linkCount && *linkCount > 1 ? IniWriteWay::InPlace : IniWriteWay::Replace;
}

std::u16string IniBackupPath(std::u16string_view iniPath) {
    return std::u16string(iniPath) + u".bak";
}

}  // namespace tavrik::settings
