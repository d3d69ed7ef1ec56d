// The texts about a failed in-place write of tavrik.ini, in both interface languages.
#include "ui/linked_ini_texts.h"

namespace tavrik::ui {
namespace {

constexpr Bilingual kDamaged{u"Unable to write to %s\r\n%s\r\nThe settings as they were are kept in %s.",
                             u"Не удаётся записать %s\r\n%s\r\nПрежние настройки сохранены в %s."};

}  // namespace

std::u16string LinkedIniDamagedText(std::u16string_view path, std::u16string_view reason,
                                    std::u16string_view backup, Language language) {
    const std::u16string_view fills[] = {path, reason, backup};
    const std::u16string_view pattern = kDamaged.In(language);
    std::u16string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' && next < 3) {
            text += fills[next++];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace tavrik::ui
