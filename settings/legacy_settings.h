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

// Section Parameters records a sub-key taken over that the registry would not let go
// (kLegacyParametersDone, kLegacyPagesDone added up), so it is not taken over again at every
// start, over what the user has changed since. Absent after a take-over that went through.
inline constexpr std::u16string_view kLegacyTakenOverKey = u"LegacyTakenOver";
inline constexpr int kLegacyParametersDone = 1;
inline constexpr int kLegacyPagesDone = 2;

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

// The name an old page is listed under: its own when the settings file and a file name both hold
// it, else one made from it as pages::MakeSafePageName makes it.
std::u16string LegacyPageName(std::u16string_view name, const std::function<bool(std::u16string_view)>& taken);

}  // namespace tavrik::settings
