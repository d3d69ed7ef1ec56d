// The dialogs the page commands ask through: a name, a font, a colour. Tests answer in their place.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editor/page_editor.h"

namespace tavrik::app {

// Each hook, when set, answers instead of the dialog; nullopt is a cancel.
struct DialogHooks {
    std::function<std::optional<std::wstring>(std::wstring_view caption, std::wstring_view text)> askName;
    std::function<std::optional<editor::CharFormat>(const editor::CharFormat& preset)> chooseFont;
    std::function<std::optional<COLORREF>(COLORREF preset)> chooseColor;
};
void SetDialogHooks(DialogHooks hooks);

// A small modal dialog: caption, an empty prompt line, an edit box holding `text` (selected), OK and
// Cancel. The typed text, or nullopt when cancelled.
std::optional<std::wstring> AskName(HWND owner, std::wstring_view caption, std::wstring_view text);

// The system's font dialog preset with `preset`; a face or size the selection does not have in
// one piece is left empty in the dialog.
std::optional<editor::CharFormat> ChooseFontFor(HWND owner, const editor::CharFormat& preset);

// The system's colour dialog preset with `preset`; custom colours are kept for the run.
std::optional<COLORREF> ChooseColorFor(HWND owner, COLORREF preset);

// The common dialogs come from comdlg32, loaded when first needed rather than at start-up.
template <typename Fn>
Fn CommonDialog(const char* name) {
    static const HMODULE module = LoadLibraryW(L"comdlg32.dll");
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace tavrik::app
