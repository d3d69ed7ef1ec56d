// What the About box says, and the project's own web and e-mail addresses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

// The addresses the build was given; an empty one is not shown: a link must lead somewhere real.
struct ProjectAddresses {
    std::u16string web;   // "https://…/"
    std::u16string mail;  // without "mailto:"
};
const ProjectAddresses& ProjectAddressesOfBuild();
// Tests show the links of a project that has them; nullopt gives the build's back.
void SetProjectAddressesForTests(const std::optional<ProjectAddresses>& addresses);

std::u16string_view AboutCaption(Language language);
// "Tavrik, Version 0.1.0": the build's version, the same in both languages.
std::u16string AboutProductLine();
std::u16string_view ProgramVersionText();
// The web address as the box shows it: the host alone.
std::u16string_view WebLabel(std::u16string_view address);
std::u16string MailtoAddress(std::u16string_view mail);

}  // namespace tavrik::ui
