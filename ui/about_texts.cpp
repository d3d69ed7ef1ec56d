// The About box's texts.
#include "ui/about_texts.h"

#include "tavrik_version.h"

namespace tavrik::ui {
namespace {
std::optional<ProjectAddresses>& TestAddresses() {
    static std::optional<ProjectAddresses> addresses;
    return addresses;
}
}  // namespace

const ProjectAddresses& ProjectAddressesOfBuild() {
    static const ProjectAddresses build{u"" TAVRIK_WEB_ADDRESS, u"" TAVRIK_MAIL_ADDRESS};
    return TestAddresses() ? *TestAddresses() : build;
}

void SetProjectAddressesForTests(const std::optional<ProjectAddresses>& addresses) { TestAddresses() = addresses; }

std::u16string_view AboutCaption(Language language) {
    return language == Language::Russian ? u"О программе" : u"About";
}

std::u16string_view ProgramVersionText() { return u"" TAVRIK_VERSION_TEXT; }

std::u16string AboutProductLine() { return std::u16string(u"Tavrik, Version ") + std::u16string(ProgramVersionText()); }

std::u16string_view WebLabel(std::u16string_view address) {
    if (const size_t scheme = address.find(u"://"); scheme != std::u16string_view::npos) address.remove_prefix(scheme + 3);
    if (const size_t path = address.find(u'/'); path != std::u16string_view::npos) address = address.substr(0, path);
    return address;
}

std::u16string MailtoAddress(std::u16string_view mail) { return std::u16string(u"mailto:") + std::u16string(mail); }

}  // namespace tavrik::ui
