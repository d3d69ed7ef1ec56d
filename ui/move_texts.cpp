// The texts of the Recycle Bin and of the page folder move, in both interface languages.
#include "ui/move_texts.h"

#include <tuple>

namespace tavrik::ui {
namespace {

using Row = TextRow<MoveText>;

constexpr Row kRows[] = {
    {MoveText::RecycleRefused,
     {u"The Recycle Bin cannot take the page \"%s\" (the drive has none, or the file is too big for it).\r\n"
      u"Delete the page for good? It cannot be brought back.\r\nNo keeps the page.",
      u"Корзина не может принять страницу \"%s\" (на диске её нет, или файл для неё слишком велик).\r\n"
      u"Удалить страницу навсегда? Вернуть её будет нельзя.\r\n«Нет» оставляет страницу."}},
    {MoveText::DeleteFailed,
     {u"The file could not be deleted:\r\n%s\r\n%s", u"Файл не удалось удалить:\r\n%s\r\n%s"}},
    {MoveText::SameNamesQuestion,
     {u"The new folder already holds files with the names of these pages:\r\n%s\r\n"
      u"Yes: move this copy's pages there; the files there are kept as versions of their pages.\r\n"
      u"No: take the files already there as the pages; this copy's files are kept as their versions.\r\n"
      u"Cancel: move nothing.",
      u"В новой папке уже есть файлы с названиями этих страниц:\r\n%s\r\n"
      u"Да: перенести туда страницы отсюда; файлы, что там лежат, сохраняются как версии своих страниц.\r\n"
      u"Нет: взять как страницы файлы, что уже там; файлы отсюда сохраняются как их версии.\r\n"
      u"Отмена: ничего не переносить."}},
    {MoveText::NotMovedCaption, {u"Error", u"Ошибка"}},
    {MoveText::NotMoved,
     {u"Can't move these files:\r\n%sThe new save path will NOT be stored !",
      u"Не могу перенести эти файлы:\r\n%sПуть сохранения не будет изменен !"}},
};

std::u16string Digits(std::uint64_t n, int width = 1) {
    std::u16string text;
    for (char c : std::to_string(n)) text += static_cast<char16_t>(c);
    while (static_cast<int>(text.size()) < width) text.insert(text.begin(), u'0');
    return text;
}

// Thousands apart by a space, as both languages read them: 1 234 567.
std::u16string Size(std::uint64_t n) {
    std::u16string digits = Digits(n);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, 1, u' ');
    return digits;
}

std::u16string Facts(const FileFacts& file, Language language) {
    if (!file.present) return language == Language::Russian ? u"файла ещё нет" : u"no file yet";
    return Digits(file.year, 4) + u'-' + Digits(file.month, 2) + u'-' + Digits(file.day, 2) + u' ' +
           Digits(file.hour, 2) + u':' + Digits(file.minute, 2) + u", " + Size(file.size) +
           (language == Language::Russian ? u" байт" : u" bytes");
}

auto When(const FileFacts& f) { return std::tie(f.year, f.month, f.day, f.hour, f.minute, f.second); }

}  // namespace

std::u16string_view MoveTextIn(MoveText which, Language language) {
    return FindText(kRows, which, language);
}

std::u16string SameNameLine(std::u16string_view page, const FileFacts& ours, const FileFacts& theirs,
                            Language language) {
    const bool russian = language == Language::Russian;
    const std::u16string_view newer = russian ? u", новее" : u", newer";
    std::u16string line(page);
    line += russian ? u": здесь " : u": this copy ";
    line += Facts(ours, language);
    // Which is newer is what the user chooses by; equal times say nothing either way.
    if (ours.present && theirs.present && When(ours) > When(theirs)) line += newer;
    line += russian ? u"; в новой папке " : u"; in the new folder ";
    line += Facts(theirs, language);
    if (theirs.present && (!ours.present || When(theirs) > When(ours))) line += newer;
    return line;
}

}  // namespace tavrik::ui
