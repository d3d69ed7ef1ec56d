// (Win32) The name dialog, built in memory, and the system's font and colour dialogs.
#include "app/dialogs.h"

#include "app/dialog_template.h"
#include "app/dyn_api.h"
#include "app/text.h"
#include "app/unique.h"
#include "app/visible_owner.h"
#include "ui/dialog_texts.h"
#include "ui/dark_mode.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace tavrik::app {
namespace {

DialogHooks& Hooks() {
    static DialogHooks hooks;
    return hooks;
}

constexpr WORD kPromptId = 100, kNameId = 101;

struct NameDialogState {
    std::wstring_view caption;
    std::wstring text;
};

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<NameDialogState*>(lp);
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        ui::FollowTheme(dialog);
        SetWindowTextW(dialog, std::wstring(state->caption).c_str());
        const HWND edit = GetDlgItem(dialog, kNameId);
        SetWindowTextW(edit, state->text.c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            auto* state = reinterpret_cast<NameDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
            state->text = WindowText(GetDlgItem(dialog, kNameId));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void SetDialogHooks(DialogHooks hooks) { Hooks() = std::move(hooks); }

// The face and size of the system's message font, so the dialog reads like the rest of Windows.
std::pair<std::wstring, WORD> MessageFont(HWND owner) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) || !metrics.lfMessageFont.lfFaceName[0])
        return {L"MS Shell Dlg", 8};
    const int dpi = static_cast<int>(WindowDpi(owner));
    const int height = metrics.lfMessageFont.lfHeight < 0 ? -metrics.lfMessageFont.lfHeight : metrics.lfMessageFont.lfHeight;
    const int points = dpi > 0 ? MulDiv(height, 72, dpi) : 9;
    return {metrics.lfMessageFont.lfFaceName, static_cast<WORD>(points >= 6 && points <= 24 ? points : 9)};
}


std::optional<std::wstring> AskName(HWND owner, std::wstring_view caption, std::wstring_view text,
                                    ui::Language language) {
    if (Hooks().askName) return Hooks().askName(caption, text);
    const auto [face, points] = MessageFont(owner);
    // Dialog units follow the font; Windows scales the dialog for the monitor's DPI.
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND, 206, 62,
                          face, points);
    dialog.AddItem(kStatic, SS_LEFT, 7, 7, 192, 9, kPromptId, L"");
    dialog.AddItem(kEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 18, 192, 14, kNameId, L"");
    const std::wstring ok = ToWide(ui::DialogTextIn(ui::DialogText::NameOkButton, language));
    const std::wstring cancel = ToWide(ui::DialogTextIn(ui::DialogText::NameCancelButton, language));
    dialog.AddItem(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 95, 41, 50, 14, IDOK, ok.c_str());
    dialog.AddItem(kButton, BS_PUSHBUTTON | WS_TABSTOP, 149, 41, 50, 14, IDCANCEL, cancel.c_str());
    NameDialogState state{caption, std::wstring(text)};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), VisibleOwner(owner),
                                                   NameDialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.text;
}

std::optional<editor::CharFormat> ChooseFontFor(HWND owner, const editor::CharFormat& preset) {
    if (Hooks().chooseFont) return Hooks().chooseFont(preset);
    using Fn = BOOL(WINAPI*)(CHOOSEFONTW*);
    static const Fn chooseFont = CommonDialog<Fn>("ChooseFontW");
    if (!chooseFont) return std::nullopt;
    LOGFONTW font{};
    lstrcpynW(font.lfFaceName, preset.face.c_str(), LF_FACESIZE);
    const int screenDpi = GetDeviceCaps(WindowDc(nullptr).Get(), LOGPIXELSY);
    font.lfHeight = preset.sizePoints > 0 ? -MulDiv(preset.sizePoints, screenDpi, 72) : 0;
    font.lfWeight = (preset.style & 1) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (preset.style & 2) ? TRUE : FALSE;
    font.lfUnderline = (preset.style & 4) ? TRUE : FALSE;
    font.lfStrikeOut = (preset.style & 8) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    CHOOSEFONTW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = VisibleOwner(owner);
    request.lpLogFont = &font;
    request.rgbColors = static_cast<COLORREF>(preset.color);
    request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!chooseFont(&request)) return std::nullopt;
    editor::CharFormat chosen;
    chosen.face = font.lfFaceName;
    chosen.sizePoints = request.iPointSize / 10;
    chosen.color = static_cast<std::int32_t>(request.rgbColors);
    chosen.style = (font.lfWeight >= FW_BOLD ? 1 : 0) | (font.lfItalic ? 2 : 0) | (font.lfUnderline ? 4 : 0) |
                   (font.lfStrikeOut ? 8 : 0);
    return chosen;
}

std::optional<COLORREF> ChooseColorFor(HWND owner, COLORREF preset) {
    if (Hooks().chooseColor) return Hooks().chooseColor(preset);
    using Fn = BOOL(WINAPI*)(CHOOSECOLORW*);
    static const Fn chooseColor = CommonDialog<Fn>("ChooseColorW");
    static COLORREF custom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                  0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    if (!chooseColor) return std::nullopt;
    CHOOSECOLORW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = VisibleOwner(owner);
    request.rgbResult = preset;
    request.lpCustColors = custom;
    request.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!chooseColor(&request)) return std::nullopt;
    return request.rgbResult;
}

std::function<std::optional<SaveChoice>(const SaveRequest&)>& SaveFileHook() {
    static std::function<std::optional<SaveChoice>(const SaveRequest&)> hook;
    return hook;
}

void SetSaveFileHook(std::function<std::optional<SaveChoice>(const SaveRequest& request)> hook) {
    SaveFileHook() = std::move(hook);
}

std::optional<SaveChoice> ChooseSaveFile(HWND owner, const SaveRequest& request) {
    if (SaveFileHook()) return SaveFileHook()(request);
    using Fn = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const Fn getSaveFileName = CommonDialog<Fn>("GetSaveFileNameW");
    if (!getSaveFileName) return std::nullopt;
    // Names are not limited to MAX_PATH: the buffer is as long as a path may be.
    std::wstring path(32768, L'\0');
    lstrcpynW(path.data(), request.fileName.c_str(), static_cast<int>(path.size()));
    static constexpr wchar_t kFilter[] = L"RichText Format (*.rtf)\0*.rtf\0Text Format (*.txt)\0*.txt\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = VisibleOwner(owner);
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = static_cast<DWORD>(request.type);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = request.folder.c_str();
    dialog.lpstrDefExt = request.defaultExtension.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER |
                   OFN_ENABLESIZING;
    if (!getSaveFileName(&dialog)) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return SaveChoice{path, static_cast<int>(dialog.nFilterIndex)};
}

std::function<std::optional<PrintChoice>(bool)>& PrintHook() {
    static std::function<std::optional<PrintChoice>(bool)> hook;
    return hook;
}

void SetPrintHook(std::function<std::optional<PrintChoice>(bool selectionAvailable)> hook) {
    PrintHook() = std::move(hook);
}

std::optional<PrintChoice> ChoosePrinter(HWND owner, bool selectionAvailable) {
    const auto failed = [](DWORD error) {
        PrintChoice choice;
        choice.failure = error;
        return std::optional(choice);
    };
    if (PrintHook()) return PrintHook()(selectionAvailable);
    using Fn = BOOL(WINAPI*)(PRINTDLGW*);
    using ErrorFn = DWORD(WINAPI*)();
    static const Fn printDlg = CommonDialog<Fn>("PrintDlgW");
    static const ErrorFn extendedError = CommonDialog<ErrorFn>("CommDlgExtendedError");
    if (!printDlg || !extendedError) return failed(CDERR_INITIALIZATION);
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = VisibleOwner(owner);
    // Copies are left to us (no PD_USEDEVMODECOPIESANDCOLLATE): each is a print job of its own.
    dialog.Flags = PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | (selectionAvailable ? 0 : PD_NOSELECTION);
    dialog.nCopies = 1;
    if (!printDlg(&dialog)) {
        const DWORD error = extendedError();
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
        if (error == 0) return std::nullopt;  // cancelled
        return failed(error);
    }
    PrintChoice choice;
    choice.copies = std::max<int>(dialog.nCopies, 1);
    choice.selection = (dialog.Flags & PD_SELECTION) != 0;
    if (const GlobalLocked<const DEVNAMES> names(dialog.hDevNames); names.Get()) {
        const auto* base = reinterpret_cast<const wchar_t*>(names.Get());
        choice.driver = base + names.Get()->wDriverOffset;
        choice.device = base + names.Get()->wDeviceOffset;
    }
    if (const GlobalLocked<const DEVMODEW> locked(dialog.hDevMode); const DEVMODEW* mode = locked.Get()) {
        // A driver that takes the copies itself reports them here instead.
        if ((mode->dmFields & DM_COPIES) && mode->dmCopies > 1) choice.copies = std::max<int>(choice.copies, mode->dmCopies);
        const auto* bytes = reinterpret_cast<const BYTE*>(mode);
        choice.devMode.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
    }
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return choice;
}

}  // namespace tavrik::app
