// (Win32) TTavrikForm and a tavrik.ini that could not be read at start: waiting for it, running without
// it, and the restart that takes it up once it can be read again.
#include <algorithm>
#include <cstdint>

#include "app/error_box.h"
#include "app/messages.h"
#include "app/new_copy.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "ui/settings_texts.h"

namespace tavrik::app {
namespace {
constexpr UINT kSettingsBackPollMs = 5000;  // one small read while the file is held back
}  // namespace

// A sync client replacing the file at log-on or a scanner holding it lets go within moments; a
// file taken for missing would cost the user the page list at the next Exit.
void TTavrikForm::WaitForSettingsFile() {
    const settings::IniFile ini(SettingsPath());
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const DWORD error = ini.ReadError();
        const auto elapsed = static_cast<std::uint32_t>(std::min<ULONGLONG>(GetTickCount64() - start, UINT32_MAX));
        switch (settings::NextIniReadStep(error, elapsed, env_.settingsRetry)) {
        case settings::IniReadStep::Use: return;
        case settings::IniReadStep::TryAgain: Sleep(env_.settingsRetry.pauseMs); break;
        case settings::IniReadStep::HoldBack:
            settingsError_ = error;
            settingsHold_ = std::make_unique<settings::IniHold>(SettingsPath());
            return;
        }
    }
}

void TTavrikForm::TellSettingsHeldBack() {
    if (!SettingsHeldBack()) return;
    const ui::MessageText message = ui::SettingsUnreadableMessage();
    (void)ShowMessage(hwnd_, FormatText(ToWide(message.text), {SettingsPath(), SystemErrorText(settingsError_)}),
                      ToWide(message.caption), MB_OK | MB_ICONWARNING);
    (void)SetTimer(hwnd_, kTimerSettingsBack, kSettingsBackPollMs, nullptr);  // without it, the next show asks
}

// The file is read only when the question is due: after a no, not before an hour or the next show.
void TTavrikForm::SettingsBackTime() {
    if (!SettingsHeldBack() || Busy()) return;  // an open box or operation first; the next tick asks
    if (!settings::ShouldOfferRestart(restartOfferedAt_, GetTickCount64(), shownSinceOffer_)) return;
    if (settings::IniFile(SettingsPath()).ReadError() != ERROR_SUCCESS) return;  // gone is no better
    restartOfferedAt_ = GetTickCount64();
    shownSinceOffer_ = false;
    (void)Alone([&] {
        const ui::MessageText question = ui::SettingsBackQuestion();
        if (ShowMessage(hwnd_, FormatText(ToWide(question.text), {SettingsPath()}), ToWide(question.caption),
                        MB_YESNO | MB_ICONQUESTION) == IDYES)
            (void)RestartForSettings();
    });
}

// The copy is made before anything is saved, so a refusal leaves this one running as it was.
bool TTavrikForm::RestartForSettings() {
    NewCopy copy(env_.programPath);
    if (!copy.Made()) {
        const ui::MessageText message = ui::CannotRestartMessage();
        (void)ShowMessage(hwnd_, FormatText(ToWide(message.text), {env_.programPath, SystemErrorText(copy.Error())}),
                          ToWide(message.caption), MB_OK | MB_ICONERROR);
        return false;
    }
    // Held back, this writes the page files and nothing of tavrik.ini: the copy reads it as it is.
    if (!FinishAll()) return false;  // the copy ends unrun; what could not be saved is still here
    WindowShown = false;
    DestroyWindow(hwnd_);
    copy.Run();  // it waits in its entry until this process has let go of the one-copy mutex
    return true;
}

}  // namespace tavrik::app
