// The texts of a refused catch or paste, in both interface languages.
#include "ui/clipboard_texts.h"

#include <utility>

namespace tavrik::ui {

RefusalMessage RefusedPutMessage(RefusedPut what, std::u16string_view pageName, Language language) {
    const bool russian = language == Language::Russian;
    std::u16string text;
    if (what == RefusedPut::Catch) {
        text = russian ? u"Скопированное не попадает на страницу '" : u"Copies are not caught into the page '";
        text += pageName;
        text += russian ? u"': её файл не удалось прочитать.\rЧтобы ловить буфер обмена, перейдите на другую страницу."
                        : u"': its file could not be read.\rGo to another page to catch them.";
    } else {
        text = russian ? u"На страницу '" : u"Nothing can be pasted into the page '";
        text += pageName;
        text += russian ? u"' ничего нельзя вставить: её файл не удалось прочитать."
                        : u"': its file could not be read.";
    }
    return {std::u16string(ProductName(language)), std::move(text)};
}

}  // namespace tavrik::ui
