// (Win32) TTavrikForm::SelectLanguage and the Language and Help items.
#include "app/error_box.h"
#include "app/shell_open.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "search/find_all_form.h"
#include "settings/parameters.h"
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
// program's current folder is rarely its own.
void TTavrikForm::HelpMenuItemClick() {
    const std::wstring file = env_.programFolder + (params.Language == 1 ? L"help_rus.txt" : L"help_eng.txt");
    ShellOpen(hwnd_, file);  // no file, no help
}

}  // namespace tavrik::app
