// What the program says about its command line, and the caption of the placement option.
#pragma once

#include <string>
#include <string_view>

#include "app/command_line.h"
#include "ui/language_tables.h"

namespace tavrik::ui {

enum class CommandLineText {
    Caption,            // of the boxes the command line shows
    Usage,              // the forms, one a line
    UnknownSwitch,      // %s: the switch
    MissingValue,       // %s: the switch
    BadValue,           // %s: the value
    ExtraArgument,      // %s: the argument
    UnknownPage,        // %s: the page's name
};

std::u16string_view CommandLineTextIn(CommandLineText which, Language language);

// The whole message for a command line the program cannot read: what is wrong, then the forms.
std::u16string CommandLineErrorMessage(const app::CommandLineError& error, Language language);

// The Options dialog's tick of the placement under the mouse pointer.
inline constexpr std::u16string_view kMouseMonitorComponent = u"MouseMonitorCheckBox";
std::span<const OptionsText> PlacementOptionsTexts();

}  // namespace tavrik::ui
