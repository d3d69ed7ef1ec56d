// The theme option's texts, in both interface languages.
#include "ui/theme_texts.h"

namespace tavrik::ui {
namespace {

constexpr Bilingual kLabel{u"Theme:", u"Оформление:"};
constexpr Bilingual kEntries[] = {
    {u"As Windows", u"Как в Windows"},
    {u"Light", u"Светлое"},
    {u"Dark", u"Тёмное"},
};

}  // namespace

std::u16string_view ThemeLabelIn(Language language) { return kLabel.In(language); }
std::span<const Bilingual> ThemeEntries() { return kEntries; }

}  // namespace tavrik::ui
