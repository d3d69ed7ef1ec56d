// The texts about unlisted page files, in both interface languages.
#include "ui/unlisted_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<UnlistedText>;

constexpr Row kRows[] = {
    {UnlistedText::DialogCaption, {u"Pages Not in the List", u"Страницы не в списке"}},
    {UnlistedText::Heading,
     {u"These files are in the folder of the pages, but no page shows them:",
      u"Эти файлы лежат в папке страниц, но ни одна страница их не показывает:"}},
    {UnlistedText::FileColumn, {u"File", u"Файл"}},
    {UnlistedText::CopyOfColumn, {u"Conflict copy of", u"Конфликтная копия"}},
    {UnlistedText::AddButton, {u"&Add as a page", u"&Добавить как страницу"}},
    {UnlistedText::BesideButton, {u"Open &beside its page", u"Открыть &рядом со страницей"}},
    {UnlistedText::RecycleButton, {u"To the &Recycle Bin", u"В &корзину"}},
    {UnlistedText::CloseButton, {u"Close", u"Закрыть"}},
    {UnlistedText::ConflictWord, {u"conflict", u"конфликт"}},
    {UnlistedText::OpenQuestion,
     {u"The folder of the pages already holds a file \"%s\" that is not in the list.\r\nOpen that file as "
      u"this page?",
      u"В папке страниц уже есть файл \"%s\", которого нет в списке.\r\nОткрыть этот файл как страницу?"}},
    {UnlistedText::OpenCaption, {u"New page", u"Новая страница"}},
    {UnlistedText::NotRecycled,
     {u"This file could not be sent to the Recycle Bin:\r\n%s", u"Этот файл не удалось отправить в корзину:\r\n%s"}},
    {UnlistedText::NotRenamed,
     {u"The file \"%s\" could not be renamed for its page:\r\n%s",
      u"Файл \"%s\" не удалось переименовать для его страницы:\r\n%s"}},
};

std::u16string Number(std::size_t n) {
    std::u16string text;
    for (char c : std::to_string(n)) text += static_cast<char16_t>(c);
    return text;
}

}  // namespace

std::u16string_view UnlistedTextIn(UnlistedText which, Language language) {
    return FindText(kRows, which, language);
}

std::u16string UnlistedCountText(std::size_t count, Language language) {
    std::u16string text = Number(count);
    if (language != Language::Russian)
        return text + (count == 1 ? u" page in the folder is not in the list" : u" pages in the folder are not in the list");
    // 1, 21, 101 страница; 2-4, 22-24 страницы; 5-20, 11-14, 111-114 страниц.
    const std::size_t lastTwo = count % 100, last = count % 10;
    if (last == 1 && lastTwo != 11) return text + u" страница в папке не в списке";
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) return text + u" страницы в папке не в списке";
    return text + u" страниц в папке не в списке";
}

}  // namespace tavrik::ui
