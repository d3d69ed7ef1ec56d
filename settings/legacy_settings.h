// Settings that earlier versions kept in the registry, as the settings file takes them over.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pages/page_entry.h"

namespace tavrik::settings {

// The key under HKEY_CURRENT_USER where earlier versions kept them; tests give another.
inline constexpr std::wstring_view kLegacyKeyPath = L"Software\\Kestrand\\Morvane";

using LegacyLookup = std::function<std::optional<std::u16string>(std::u16string_view name)>;
using KeyValues = std::vector<std::pair<std::u16string, std::u16string>>;

// Every key the old Parameters held, in the order taken over, as the settings file writes it: a
// value that is missing, or not a number where one is needed, is written with its default.
KeyValues LegacyParameters(const LegacyLookup& value, int osVersion, std::u16string_view programFolder);

// The page entry for an old page holding only its background colour, with the defaults in force
// once the parameters are taken over; nullopt for a name the page rules refuse, which is not taken
// over.
std::optional<std::u16string> LegacyPageEntry(std::u16string_view name, const std::optional<std::u16string>& color,
                                              const pages::PageDefaults& defaults);

}  // namespace tavrik::settings
