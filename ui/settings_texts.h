// What the program says about a settings file it could not read at start, in both languages in
// one box.
#pragma once

#include "ui/language_tables.h"

namespace tavrik::ui {

// Said once at start: %s the file's path, then the system's reason.
MessageText SettingsUnreadableMessage();
// The file can be read again: restart now? %s the file's path.
MessageText SettingsBackQuestion();
// The new copy could not be started: %s the program's path, then the system's reason.
MessageText CannotRestartMessage();

}  // namespace tavrik::ui
