// The Options dialog's questions in both interface languages.
#include "ui/options_texts.h"

namespace tavrik::ui {
namespace {

constexpr MessageText kPlainTextQuestionEnglish = {
    u"Confirm",
    u"Stored as plain text, every page loses what plain text cannot hold: objects, pictures, "
    u"and the fonts of parts of the text.\r"
    u"Do you want to go on?",
};

}  // namespace

// The Russian words are the ones this question has always had.
MessageText PlainTextQuestionIn(Language language) {
    return language == Language::Russian ? PlainTextQuestion() : kPlainTextQuestionEnglish;
}

}  // namespace tavrik::ui
