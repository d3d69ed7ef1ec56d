// (Win32) TTavrikForm::SelectLanguage and the Language and Help items.
#include "app/error_box.h"
#include "app/file_io.h"
#include "app/shell_open.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "search/find_all_form.h"
#include "search/text_reader.h"
#include "settings/parameters.h"
#include "ui/dialog_texts.h"
#include "ui/help_text.h"
#include "ui/help_window.h"
#include "ui/language_tables.h"

#include <vector>


namespace tavrik::app {

void TTavrikForm::SelectLanguage() {
    if (params.Language < 0 || params.Language > 1) params.Language = 0;
    const ui::Language language = ui::LanguageFromSetting(params.Language);
    SetMessageLanguage(language);
    std::vector<std::pair<std::u16string_view, std::wstring>> captions;
    for (const ui::ComponentText& row : ui::MainWindowCaptions()) {
        const std::wstring text = ToWide(row.text.In(language));
        if (row.component == ui::kApplicationComponent) {
            SetAppTitle(text);  // the caption of every box from now on
        } else if (row.component == ui::kMainFormComponent) {
            mainCaption_ = text;
        } else {
            captions.emplace_back(row.component, text);
        }
    }
    ShowSaveState();  // the caption and the tray tip, naming a page not saved
    menus_->SetCaptions(captions);
    if (GetMenu(hwnd_)) DrawMenuBar(hwnd_);
    if (findAll_) findAll_->SetTexts();
}

void TTavrikForm::SwitchLanguage(int language) {
    menus_->Check(ui::Cmd::Russian, language == 1);
    menus_->Check(ui::Cmd::English, language == 0);
    params.Language = language;
    SelectLanguage();
    (void)StoreParameters({&settings::Parameters::Language});  // a refusal was reported
}

void TTavrikForm::RussianLangMenuItemClick() { SwitchLanguage(1); }
void TTavrikForm::EnglishLangMenuItemClick() { SwitchLanguage(0); }

// The help file beside the program, whatever the current folder is: started with Windows, the
// program's current folder is rarely its own. Where Windows has no program for text files (Notepad
// can be uninstalled) the help is shown in a window of our own.
void TTavrikForm::HelpMenuItemClick() {
    const ui::Language language = InterfaceLanguage();
    const std::wstring file = env_.programFolder + (language == ui::Language::Russian ? L"help_rus.txt" : L"help_eng.txt");
    const auto text = [language](ui::DialogText which) { return ToWide(ui::DialogTextIn(which, language)); };
    if (!FileExists(file)) {
        ShowError(hwnd_, FormatText(text(ui::DialogText::HelpMissing), {file}));
        return;
    }
    if (ShellOpenQuietly(hwnd_, file)) return;
    DWORD error = ERROR_SUCCESS;
    const auto bytes = ReadWholeFile(file, error);
    if (!bytes) {
        ShowError(hwnd_, FormatText(text(ui::DialogText::HelpUnreadable), {file, SystemErrorText(error)}));
        return;
    }
    // The help files are UTF-8 with a byte order mark; one saved by hand may be UTF-16 or
    // have lost the mark: read as a plain page is.
    const std::u16string help = search::PlainPageText(*bytes, static_cast<int>(GetACP()));
    if (!ui::ShowHelpWindow(hwnd_, text(ui::DialogText::HelpCaption), ToWide(ui::WithEditLineBreaks(help))))
        MessageBeep(MB_ICONWARNING);
}

}  // namespace tavrik::app
