// The texts about page files too large to read, in both interface languages.
#include "ui/page_file_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<PageFileText>;

constexpr Row kRows[] = {
    {PageFileText::TooLarge,
     {u"The page file is too large to open:\r\n%s\r\nPages of more than %s MB are not read. The file stays as it is.",
      u"Файл страницы слишком велик, чтобы его открыть:\r\n%s\r\nСтраницы больше %s МБ не читаются. Файл остаётся "
      u"как есть."}},
    {PageFileText::FindAllTooLarge,
     {u"Pages not searched, their files are too large: %s.", u"Страницы не просмотрены, их файлы слишком велики: %s."}},
};

}  // namespace

std::u16string_view PageFileTextIn(PageFileText which, Language language) {
    return FindText(kRows, which, language);
}

}  // namespace tavrik::ui
