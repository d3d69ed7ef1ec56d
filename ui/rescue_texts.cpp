// The texts about interrupted saves and rescued pages, in both interface languages.
#include "ui/rescue_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<RescueText>;

constexpr Row kRows[] = {
    {RescueText::LeftoverVersions,
     {u"A save of these pages was cut short after their files were last written. What it held is kept "
      u"among the page's versions (File, Versions):\r\n%s",
      u"Сохранение этих страниц было прервано уже после последней записи их файлов. То, что оно "
      u"содержало, сохранено среди версий страницы (Файл, Версии):\r\n%s"}},
    {RescueText::LeftoverCaption, {u"Interrupted saves", u"Прерванные сохранения"}},
    {RescueText::RescueOffer,
     {u"When the last session ended, these pages could not be written to their files and were kept "
      u"in %s:\r\n%s\r\n\r\nOpen them as pages? \"No\" deletes them.",
      u"Когда завершался прошлый сеанс, эти страницы не удалось записать в их файлы, и они сохранены "
      u"в %s:\r\n%s\r\n\r\nОткрыть их как страницы? \"Нет\" удалит их."}},
    {RescueText::RescueCaption, {u"Rescued pages", u"Спасённые страницы"}},
};

}  // namespace

std::u16string_view RescueTextIn(RescueText which, Language language) {
    return FindText(kRows, which, language);
}

}  // namespace tavrik::ui
