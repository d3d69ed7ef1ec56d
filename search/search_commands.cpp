// (Win32) TTavrikForm's Find in all pages and Go to page: the two ways through a big set of pages.
#include "app/tavrik_form.h"
#include "app/keys_off.h"
#include "search/find_all_form.h"
#include "search/go_to_page_dialog.h"

namespace tavrik::app {

void TTavrikForm::FindAllMenuClick() {
    if (!findAll_) findAll_ = std::make_unique<search::TFindAllForm>(*this);
    findAll_->Show();
}

// Only names are listed: no page is read for it, however many there are.
void TTavrikForm::GoToPageMenuClick() {
    std::vector<std::wstring> names;
    names.reserve(static_cast<size_t>(book_.Count()));
    for (const PageSlot& slot : book_) names.push_back(slot.name);
    search::GoToPageTexts texts;
    texts.caption = PageText(ui::PageText::GoToPageCaption);
    texts.filter = PageText(ui::PageText::GoToPageFilter);
    texts.show = PageText(ui::PageText::GoToPageShow);
    texts.close = PageText(ui::PageText::VersionsCloseButton);
    const int current = TabIndex();
    const auto chosen = [&] {
        const KeysOff keysOff(*this);
        return search::ChoosePage(hwnd_, texts, names, current);
    }();
    if (!chosen || *chosen < 0 || *chosen >= PageCount()) return;
    if (*chosen != current) SwitchToPage(*chosen);
    else if (const HWND editor = CurrentEditor()) SetFocus(editor);
}

}  // namespace tavrik::app
