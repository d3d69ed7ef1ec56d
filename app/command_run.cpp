// (Win32) TTavrikForm's side of the command line: commands passed on by a second start, taken
// from another process with every part checked, then carried out in turn.
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"

#include <richedit.h>

#include <string_view>
#include <utility>

namespace tavrik::app {

// The data comes from any program that finds our window: nothing in it is trusted. A command the
// running copy has no business with (help, the page folder) is refused like a damaged one.
bool TTavrikForm::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandDataTag || !data.lpData || data.cbData == 0) return false;
    const auto arguments =
        DecodeArguments(std::string_view(static_cast<const char*>(data.lpData), static_cast<size_t>(data.cbData)));
    if (!arguments) return false;
    const ParsedCommand parsed = ParseArguments(*arguments);
    if (parsed.error || parsed.command.kind == CommandKind::None || RunsWithoutWindow(parsed.command.kind))
        return false;
    CarryOut(parsed.command);
    return true;
}

// Posted rather than run here: the sender waits for the answer, and a fade or a box would keep it.
void TTavrikForm::CarryOut(const Command& command) {
    commands_.push_back(command);
    PostMessageW(hwnd_, kMsgRunCommands, 0, 0);
}

void TTavrikForm::RunCommands() {
    KillTimer(hwnd_, kTimerRunCommands);
    if (commands_.empty()) return;
    if (Busy()) {  // a box of ours waits for an answer: the commands come after it
        SetTimer(hwnd_, kTimerRunCommands, 250, nullptr);
        return;
    }
    for (const Command& command : std::exchange(commands_, {})) Alone([&] { RunCommand(command); });
}

void TTavrikForm::RunCommand(const Command& command) {
    const auto showUp = [this] {
        if (!WindowShown) ShowMenuClick();
        else SetForegroundWindow(hwnd_);
    };
    switch (command.kind) {
    case CommandKind::Show: showUp(); break;
    case CommandKind::Hide:
        if (WindowShown) FormHide();
        break;
    case CommandKind::Toggle: TrayIconClick(WM_LBUTTONUP); break;
    case CommandKind::NewPage:
        showUp();
        NewPageNamed(command.name.empty() ? std::nullopt : std::optional<std::wstring>(ToWide(command.name)));
        break;
    case CommandKind::Page: {
        const int index = PageNamed(ToWide(command.name), -1);
        if (index < 0) {
            CommandBox(ui::CommandLineText::UnknownPage, ToWide(command.name));
            break;
        }
        if (index != TabIndex()) SwitchToPage(index);
        showUp();
        break;
    }
    case CommandKind::Append: {
        const int index = command.name.empty() ? TabIndex() : PageNamed(ToWide(command.name), -1);
        if (index < 0) {
            CommandBox(ui::CommandLineText::UnknownPage, ToWide(command.name));
            break;
        }
        AppendLine(index, ToWide(command.text));
        break;
    }
    case CommandKind::AutoStart: {
        // Through the settings as the Options dialog does it: a refused write (reported) changes nothing.
        settings::Parameters next = params;
        next.AutoStart = command.on;
        if (!IniFile->WriteParameters(next, {&settings::Parameters::AutoStart})) break;
        params.AutoStart = command.on;
        ApplyAutoStart();
        break;
    }
    default: break;  // the starting copy does the rest itself
    }
}

// As catching the clipboard puts text in: the page is read first when it was not yet, a page that
// cannot be read takes nothing, and the change is saved by the usual rules. The line goes at the
// end, on a line of its own; whatever the user had selected stays selected.
void TTavrikForm::AppendLine(int index, const std::wstring& text) {
    if (!EnsurePage(index) || RefusePut(index, true)) return;
    const HWND editor = book_[index].editor;
    CHARRANGE kept{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const auto end = static_cast<LONG>(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    wchar_t last[2] = {};
    if (end > 0) {
        TEXTRANGEW range{{end - 1, end}, last};
        SendMessageW(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    }
    const std::wstring line = (end > 0 && last[0] != L'\r' && last[0] != L'\n' ? L"\r" : L"") + text;
    CHARRANGE atEnd{end, end};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atEnd));
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    NoteChange(editor);
}

void TTavrikForm::CommandBox(ui::CommandLineText which, const std::wstring& argument) const {
    std::wstring text = ToWide(ui::CommandLineTextIn(which, InterfaceLanguage()));
    if (const size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, argument);
    (void)ShowMessage(hwnd_, text, ToWide(ui::CommandLineTextIn(ui::CommandLineText::Caption, InterfaceLanguage())),
                      MB_OK | MB_ICONINFORMATION);
}

}  // namespace tavrik::app
