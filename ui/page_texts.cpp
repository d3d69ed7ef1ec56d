// The page commands' messages.
#include "ui/page_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<PageText>;

constexpr Row kRows[] = {
    {PageText::NewPageBase, {u"New page", u"Новая"}},
    {PageText::NameDialogCaption, {u"New name", u"Новое название"}},
    {PageText::NameExists, {u"This name already exists !", u"Такое название уже есть !"}},
    {PageText::IllegalCharacter, {u"Illegal character !!!", u"Недопустимый символ !!!"}},
    {PageText::RenameCaption, {u"Page rename", u"Переименование страницы"}},
    {PageText::RenameExists, {u"Page with this name already exists !", u"Страница с таким названием\rуже есть !"}},
    {PageText::CannotRename, {u"Cannot change the filename !", u"Не могу поменять имя файла !"}},
    {PageText::DeleteCaption, {u"Page delete", u"Удаление страницы"}},
    {PageText::LastPage, {u"Not allowed to delete the LAST page !", u"Последнюю страницу нельзя удалять !"}},
    {PageText::NameEmpty, {u"A page needs a name.", u"У страницы должно быть название."}},
    {PageText::NameNotForSettings,
     {u"A page name cannot begin or end with a blank, begin with \";\" or \"[\", or hold \"=\".",
      u"Название страницы не может начинаться или кончаться пробелом, начинаться с \";\" или \"[\" "
      u"и содержать \"=\"."}},
    {PageText::NameNotForFiles,
     {u"Windows cannot give a file this name: it holds \"|\" or a control character, or it is a device "
      u"name such as CON, NUL or COM1.",
      u"Windows не может дать файлу такое имя: в нём есть \"|\" или управляющий символ, либо это имя "
      u"устройства, например CON, NUL или COM1."}},
    {PageText::NameNotForOldSettings,
     {u"The characters of this name cannot be kept in tavrik.ini, which is stored in an older encoding.",
      u"Символы этого названия нельзя сохранить в tavrik.ini: файл записан в старой кодировке."}},
    {PageText::UnreadablePage,
     {u"This page's file cannot be read, so the page is shown read-only and its file is left as it "
      u"is:\r\n\r\n%s\r\n\r\nTavrik reads it again the next time the page is needed.",
      u"Файл этой страницы не читается, поэтому страница открыта только для чтения, а файл "
      u"остаётся нетронутым:\r\n\r\n%s\r\n\r\nТаврик прочитает его снова, когда страница понадобится."}},
    {PageText::NameTooLong,
     {u"This name is too long for a file in the folder of the pages.",
      u"Это название слишком длинное для файла в папке страниц."}},
    {PageText::MoveCaption, {u"Folder of the pages", u"Папка страниц"}},
    {PageText::FolderEmpty,
     {u"Give the folder for the pages: the field is empty. Nothing was moved.",
      u"Укажите папку для страниц: поле пустое. Ничего не перенесено."}},
    {PageText::FolderRelative,
     {u"Give the folder for the pages in full, with its drive (C:\\Notes\\) or its share "
      u"(\\\\server\\share\\). Nothing was moved.",
      u"Укажите папку для страниц полностью, с диском (C:\\Notes\\) или сетевым ресурсом "
      u"(\\\\server\\share\\). Ничего не перенесено."}},
    {PageText::MoveFailed,
     {u"The pages could not be moved:\r\n\r\n%s\r\nEvery page stays in the old folder, which is still in use.",
      u"Не удалось перенести страницы:\r\n\r\n%s\r\nВсе страницы остались в старой папке, она по-прежнему "
      u"используется."}},
    {PageText::MoveOldNotDeleted,
     {u"The pages were moved, but these old files could not be deleted:\r\n\r\n%s",
      u"Страницы перенесены, но эти старые файлы не удалось удалить:\r\n\r\n%s"}},
    {PageText::FolderUnreachable,
     {u"The new folder cannot be used:\r\n\r\n%s\r\nNothing was moved.",
      u"Новую папку нельзя использовать:\r\n\r\n%s\r\nНичего не перенесено."}},
    {PageText::ConvertFailed,
     {u"These pages could not be converted and were left as they were:\r\n\r\n%s\r\nTheir text is "
      u"still shown in full, and they are converted the next time they are saved.",
      u"Эти страницы не удалось преобразовать, они остались как были:\r\n\r\n%s\r\nИх текст "
      u"по-прежнему виден полностью, и они будут преобразованы при следующем сохранении."}},
    {PageText::NotSaved, {u"not saved: %s", u"не сохранено: %s"}},
    {PageText::BothChanged,
     {u"changed elsewhere too: %s (the other text is in File, Versions)",
      u"изменено и в другом месте: %s (другой текст — в Файл, Версии)"}},
    {PageText::VersionFromElsewhere, {u"%s, written elsewhere", u"%s, записана в другом месте"}},
    {PageText::NoPrinter,
     {u"No printer is installed. Add one in the Windows settings, then print again.",
      u"Не установлен ни один принтер. Добавьте принтер в настройках Windows и повторите печать."}},
    {PageText::PrintFailed,
     {u"The page \"%s\" could not be printed:\r\n%s", u"Не удалось напечатать страницу \"%s\":\r\n%s"}},
    {PageText::PrintIncomplete,
     {u"The printout of the page \"%s\" is incomplete: it stopped after %s sheet(s).\r\n%s",
      u"Страница \"%s\" напечатана не полностью: печать прервана после листов: %s.\r\n%s"}},
    {PageText::NameIsVersionsFolder,
     {u"\"~versions\" is the name of the folder where Tavrik keeps earlier versions of the pages; a "
      u"page cannot have it.",
      u"\"~versions\" — имя папки, в которой Таврик хранит прежние версии страниц; так назвать страницу "
      u"нельзя."}},
    {PageText::VersionsNotMoved,
     {u"The pages were moved, but their earlier versions could not all be moved; those left stay in "
      u"%s\r\n\r\n%s",
      u"Страницы перенесены, но их прежние версии перенести удалось не все; оставшиеся лежат в "
      u"%s\r\n\r\n%s"}},
    {PageText::VersionsCaption, {u"Versions", u"Версии"}},
    {PageText::VersionsOfPage, {u"Earlier versions of the page \"%s\":", u"Прежние версии страницы \"%s\":"}},
    {PageText::NoVersions,
     {u"The page \"%s\" has no earlier versions yet.", u"У страницы \"%s\" пока нет прежних версий."}},
    {PageText::VersionsTimeColumn, {u"Saved", u"Сохранена"}},
    {PageText::VersionsSizeColumn, {u"Size", u"Размер"}},
    {PageText::VersionsTextColumn, {u"Text", u"Текст"}},
    {PageText::VersionsOpenButton, {u"&Open as a new page", u"&Открыть как новую страницу"}},
    {PageText::VersionsCloseButton, {u"Close", u"Закрыть"}},
    {PageText::FindAllCaption, {u"Find in All Pages", u"Поиск по всем страницам"}},
    {PageText::FindAllWhat, {u"Fi&nd what:", u"&Что искать:"}},
    {PageText::FindAllMatchCase, {u"Match &case", u"С учётом &регистра"}},
    {PageText::FindAllWholeWords, {u"&Whole words", u"&Слова целиком"}},
    {PageText::FindAllPageColumn, {u"Page", u"Страница"}},
    {PageText::FindAllTextColumn, {u"Text", u"Текст"}},
    {PageText::FindAllSearching, {u"Searching…", u"Идёт поиск…"}},
    {PageText::FindAllCount, {u"Found: %s, on pages: %s. Enter shows, F3 and Shift+F3 go to the next and previous.",
                              u"Найдено: %s, на страницах: %s. Enter — показать, F3 и Shift+F3 — следующее и предыдущее."}},
    {PageText::FindAllNothing, {u"\"%s\" is not found on any page.", u"\"%s\" нет ни на одной странице."}},
    {PageText::FindAllFirstShown, {u"The first %s are listed.", u"Показаны первые %s."}},
    {PageText::FindAllUnread, {u"Pages not searched, their files could not be read: %s.",
                               u"Не просмотрено страниц, чьи файлы не удалось прочитать: %s."}},
    {PageText::GoToPageCaption, {u"Go to Page", u"Переход к странице"}},
    {PageText::GoToPageFilter, {u"&Name contains:", u"&Название содержит:"}},
    {PageText::GoToPageShow, {u"&Show", u"&Показать"}},
    {PageText::VersionUnreadable,
     {u"This version cannot be read:\r\n%s", u"Эту версию не удаётся прочитать:\r\n%s"}},
};

}  // namespace

std::u16string_view PageTextIn(PageText which, Language language) {
    return FindText(kRows, which, language);
}

std::u16string DeleteQuestion(std::u16string_view pageName, Language language, bool toRecycleBin) {
    const bool russian = language == Language::Russian;
    std::u16string text(russian ? u"Вы уверены что хотите удалить страницу '" : u"Are you sure you want delete page '");
    text += pageName;
    text += u"' ?\r";
    if (toRecycleBin)
        text += russian ? u"Она будет перемещена в Корзину." : u"It goes to the Recycle Bin.";
    else
        text += russian ? u"Вся информация на ней будет потеряна!" : u"All information will be lost !";
    return text;
}

PageText MessageFor(pages::FolderTextProblem problem) {
    return problem == pages::FolderTextProblem::Empty ? PageText::FolderEmpty : PageText::FolderRelative;
}

PageText MessageFor(pages::NameProblem problem) {
    switch (problem) {
    case pages::NameProblem::Empty: return PageText::NameEmpty;
    case pages::NameProblem::NotForSettings: return PageText::NameNotForSettings;
    case pages::NameProblem::NotForFiles: return PageText::NameNotForFiles;
    case pages::NameProblem::TooLong: return PageText::NameTooLong;
    case pages::NameProblem::VersionsFolder: return PageText::NameIsVersionsFolder;
    case pages::NameProblem::IllegalCharacter:
    case pages::NameProblem::None: break;
    }
    return PageText::IllegalCharacter;
}

}  // namespace tavrik::ui
