// What the About box says, and the project's own web and e-mail addresses, kept only here.
#pragma once

#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

inline constexpr std::u16string_view kProjectWebAddress = u"https://tavrik.example/";
inline constexpr std::u16string_view kProjectMailAddress = u"tavrik@tavrik.example";

std::u16string_view AboutCaption(Language language);
// "Tavrik, Version 0.1.0": the build's version, the same in both languages.
std::u16string AboutProductLine();
std::u16string_view VersionText();
// The web address as the box shows it: the host alone.
std::u16string_view WebLabel(std::u16string_view address);
std::u16string MailtoAddress(std::u16string_view mail);

}  // namespace tavrik::ui
