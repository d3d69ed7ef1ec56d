// The texts about versions that could not be kept, in both interface languages.
#include "ui/version_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<VersionText>;

constexpr Row kRows[] = {
    {VersionText::NotKept,
     {u"The earlier text of the page \"%s\" could not be kept as a version, neither beside the pages nor in "
      u"%s:\r\n\r\n%s\r\n\r\nThe page was saved. Tavrik tries again at its next save and says nothing more "
      u"until then.",
      u"Прежний текст страницы \"%s\" не удалось сохранить как версию ни рядом со страницами, ни в "
      u"%s:\r\n\r\n%s\r\n\r\nСтраница сохранена. Таврик попробует снова при следующем сохранении и до тех пор "
      u"больше об этом не скажет."}},
    {VersionText::SaveRefused,
     {u"The page \"%s\" was not saved: the save would remove most of its text, and its earlier text could "
      u"not be kept as a version, neither beside the pages nor in %s:\r\n\r\n%s\r\n\r\nThe page keeps its "
      u"text and its file is as it was. Tavrik tries again at the next save.",
      u"Страница \"%s\" не сохранена: сохранение удалило бы большую часть её текста, а прежний текст не "
      u"удалось сохранить как версию ни рядом со страницами, ни в %s:\r\n\r\n%s\r\n\r\nТекст остаётся на "
      u"странице, её файл не изменён. Таврик попробует снова при следующем сохранении."}},
    {VersionText::NotKeptNotice, {u"no version kept: %s", u"версия не сохранена: %s"}},
};

}  // namespace

std::u16string_view VersionTextIn(VersionText which, Language language) {
    return FindText(kRows, which, language);
}

}  // namespace tavrik::ui
