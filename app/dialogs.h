// (Win32) The dialogs the page commands ask through: a name, a font, a colour. Tests answer in their place.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/page_editor.h"
#include "ui/language_tables.h"

namespace tavrik::app {

// What the Save dialog is opened with, and what it gives back.
struct SaveRequest {
    std::wstring folder;
    std::wstring fileName;
    std::wstring defaultExtension;  // without the dot
    int type = 1;                   // the entry of the type list preselected, from 1
};
struct SaveChoice {
    std::wstring path;
    int type = 1;  // the entry picked
};

// Each hook, when set, answers instead of the dialog; nullopt is a cancel.
struct DialogHooks {
    std::function<std::optional<std::wstring>(std::wstring_view caption, std::wstring_view text)> askName;
    std::function<std::optional<editor::CharFormat>(const editor::CharFormat& preset)> chooseFont;
    std::function<std::optional<COLORREF>(COLORREF preset)> chooseColor;
};
void SetDialogHooks(DialogHooks hooks);

// A small modal dialog: caption, an empty prompt line, an edit box holding `text` (selected), OK and
// Cancel in the interface language. The typed text, or nullopt when cancelled.
std::optional<std::wstring> AskName(HWND owner, std::wstring_view caption, std::wstring_view text,
                                    ui::Language language);

// The system's font dialog preset with `preset`; a face or size the selection does not have in
// one piece is left empty in the dialog.
std::optional<editor::CharFormat> ChooseFontFor(HWND owner, const editor::CharFormat& preset);

// The system's colour dialog preset with `preset`; custom colours are kept for the run.
std::optional<COLORREF> ChooseColorFor(HWND owner, COLORREF preset);

// The system's Save dialog with the types "RichText Format" and "Text Format"; it asks before an
// existing file is replaced. The hook, when set, answers instead.
std::optional<SaveChoice> ChooseSaveFile(HWND owner, const SaveRequest& request);
void SetSaveFileHook(std::function<std::optional<SaveChoice>(const SaveRequest& request)> hook);

// What the Print dialog gives back: the printer to make a device context for, with its settings
// (one copy each: the copies are jobs of their own), how many copies, and whether only the
// selection is printed. A dialog that could not open gives its error, such as PDERR_NODEFAULTPRN
// when no printer is installed, and nothing else.
struct PrintChoice {
    DWORD failure = 0;
    std::wstring driver, device;
    std::vector<BYTE> devMode;  // a DEVMODEW with its driver's extra bytes; empty for the defaults
    int copies = 1;
    bool selection = false;
};
// The system's Print dialog, with the selection as a range only when there is one. Nullopt is a
// cancel. The hook, when set, answers instead.
std::optional<PrintChoice> ChoosePrinter(HWND owner, bool selectionAvailable);
void SetPrintHook(std::function<std::optional<PrintChoice>(bool selectionAvailable)> hook);

// The common dialogs come from comdlg32, loaded when first needed rather than at start-up.
template <typename Fn>
Fn CommonDialog(const char* name) {
    static const HMODULE module = LoadLibraryW(L"comdlg32.dll");
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace tavrik::app
