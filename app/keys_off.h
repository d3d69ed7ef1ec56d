// The main window's keys turned off for a scope: while a modal dialog has them, whatever way it ends.
#pragma once

namespace tavrik::app {

// What the keys come back as. AsBefore leaves them off when they were off (the window hidden, another
// dialog up); On is for commands that reach the user only from the shown window.
enum class KeysAfter { AsBefore, On };

// Form is the main window, or a stand-in with the same three members in a test.
template <typename Form>
class KeysOff {
public:
    explicit KeysOff(Form& form, KeysAfter after = KeysAfter::AsBefore)
        : form_(form), backOn_(after == KeysAfter::On || form.KeysEnabled()) {
        form_.DisableKeys();
    }
    ~KeysOff() {
        if (backOn_) form_.EnableKeys();
    }
    KeysOff(const KeysOff&) = delete;
    KeysOff& operator=(const KeysOff&) = delete;

private:
    Form& form_;
    bool backOn_;
};

}  // namespace tavrik::app
