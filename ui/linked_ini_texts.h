// What the program says when tavrik.ini, rewritten in place for its hard links, could not be
// written nor put back as it was.
#pragma once

#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

// The path, the system's reason, and where the settings as they were are kept.
std::u16string LinkedIniDamagedText(std::u16string_view path, std::u16string_view reason,
                                    std::u16string_view backup, Language language);

}  // namespace tavrik::ui
