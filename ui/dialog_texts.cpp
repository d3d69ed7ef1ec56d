// The name dialog's and the help window's texts.
#include "ui/dialog_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<DialogText>;

// The buttons read as Windows' own do; the dialog uses no access keys, so they carry none.
constexpr Row kRows[] = {
    {DialogText::NameOkButton, {u"OK", u"OK"}},
    {DialogText::NameCancelButton, {u"Cancel", u"Отмена"}},
    {DialogText::HelpCaption, {u"Tavrik Help", u"Справка Таврика"}},
    {DialogText::HelpMissing,
     {u"The help file is missing:\r\n%s\r\n\r\nInstalling Tavrik again brings it back.",
      u"Нет файла справки:\r\n%s\r\n\r\nПереустановите Таврик, и он появится снова."}},
    {DialogText::HelpUnreadable,
     {u"The help file cannot be read:\r\n%s\r\n%s", u"Не удаётся прочитать файл справки:\r\n%s\r\n%s"}},
};

}  // namespace

std::u16string_view DialogTextIn(DialogText which, Language language) { return FindText(kRows, which, language); }

}  // namespace tavrik::ui
