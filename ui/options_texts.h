// What the Options dialog asks, in both interface languages.
#pragma once

#include "ui/language_tables.h"

namespace tavrik::ui {

// Asked before the pages become plain text.
MessageText PlainTextQuestionIn(Language language);

}  // namespace tavrik::ui
