// (Win32) The Options dialog: every option of the program, some in force at once, the rest on Apply.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::app {
class TTavrikForm;
}  // namespace tavrik::app

namespace tavrik::options {

using app::TTavrikForm;

class TOptionsForm {
public:
    explicit TOptionsForm(TTavrikForm& form) : form_(form) {}
    ~TOptionsForm() {
        if (dialog_) DestroyWindow(dialog_);
    }
    TOptionsForm(const TOptionsForm&) = delete;
    TOptionsForm& operator=(const TOptionsForm&) = delete;

    // Centred on the screen and modal to the main window; returns when it has closed.
    void ShowModal();
    // The dialog and the page it opens on, made hidden and drawn once off screen, so that the
    // first opening costs what later ones do. Nothing while it is open or made already.
    void Prepare();
    HWND Handle() const { return open_ ? dialog_ : nullptr; }  // while it is open
    HWND Item(int id) const;                 // a control of the frame or of a page made so far
    void ShowPage(int page);                 // made when first shown

    // Reached from the main window as well.
    void ColorButtonClick();  // the current page's background
    void UseHotKeyButtonClick();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    INT_PTR OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id, int code);
    bool AppShortCut2(const MSG& msg);  // true: the key is used up
    bool PageKeys(const MSG& msg);      // Ctrl+Tab and the pages' access keys
    ui::Language Language() const;

    bool Make();          // the frame, once; false when it cannot be made
    void DrawOffScreen() const;
    void FormCreate();
    void FormShow();
    void FormClose();
    void SetLanguage();
    void SetPageTexts(int page);
    std::wstring TextOf(std::u16string_view component) const;
    void CreatePage(int page);
    void LoadPage(int page);
    void PlacePage(HWND page) const;
    void ApplyEnabling();
    void ApplyButtonClick();
    void OKButtonClick();
    void CancelButtonClick();
    void BrowseFolder();

    void StyleComboBoxChange();
    void MultitabsCBClick();
    void NoTransparencyCBClick();
    void TransparencyTrackBarChange();
    void DirectoryEdit1Change();
    void FontDefaultButtonClick();
    void ColorDefaultButtonClick();
    void DrawItem(const DRAWITEMSTRUCT& item) const;

    bool Ticked(int id) const;
    bool TickedOr(int id, bool field) const;  // the field's value while the control's page is not made
    void Tick(int id, bool on);
    void Choose(int id, int index);  // a drop-down list's choice
    void Spin(int id, int value);    // an up-down control's number, in its field
    int SpinValue(int id, int low, int high, int field) const;

    TTavrikForm& form_;
    HWND dialog_ = nullptr;
    std::array<HWND, 4> pages_{};
    HWND tooltip_ = nullptr;
    int textsLanguage_ = -1;  // the language the controls speak; -1 before the first opening
    bool open_ = false;
    bool showing_ = false;  // ShowModal is showing the dialog
    bool done_ = false;
    bool loading_ = false;        // FormShow is filling the controls
    bool settingFolder_ = false;  // the folder field is being given its backslash
    bool keysWereOn_ = false;
    bool previewed_ = false;  // the main window shows a translucency not yet applied
};

}  // namespace tavrik::options
