// What catching and pasting say when the current page cannot take anything.
#pragma once

#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class RefusedPut { Catch, Paste };

struct RefusalMessage {
    std::u16string caption;
    std::u16string text;
};

// The page's file could not be read, so the page is read-only and never written: a copy caught
// or a paste into it would be lost.
RefusalMessage RefusedPutMessage(RefusedPut what, std::u16string_view pageName, Language language);

}  // namespace tavrik::ui
