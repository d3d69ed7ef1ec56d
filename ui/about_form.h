// (Win32) The About box: the program's icon, name and version, and the project's web and mail links.
#pragma once

#include <windows.h>

#include <string>

#include "app/unique.h"

namespace tavrik::app {
class TTavrikForm;
}  // namespace tavrik::app

namespace tavrik::ui {

using app::TTavrikForm;

class TAboutForm {
public:
    explicit TAboutForm(TTavrikForm& form) : form_(form) {}
    // Shows the box modally over the main window; a link chosen in it opens once it has closed.
    void ShowModal();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void FormShow();
    void FormClose();
    void CommentsClick();
    void Label1Click();
    void OKButtonClick();
    void DrawLink(const DRAWITEMSTRUCT& item) const;

    TTavrikForm& form_;
    HWND dialog_ = nullptr;
    app::UniqueIcon icon_;
    app::UniqueFont linkFont_;
    bool keysWereOn_ = false;
    std::wstring pendingOpen_;  // given to the shell after the box is gone
};

}  // namespace tavrik::ui
