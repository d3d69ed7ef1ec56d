// Where each toolbar stands, as its section of the settings file keeps it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrik::ui {

// The docks of the window: menu bar on top, formatting below it, the bottom row, the two sides.
inline constexpr std::u16string_view kDockMenu = u"TBDock1";
inline constexpr std::u16string_view kDockRight = u"TBDock2";
inline constexpr std::u16string_view kDockLeft = u"TBDock3";
inline constexpr std::u16string_view kDockBottom = u"TBDock4";
inline constexpr std::u16string_view kDockFormat = u"TBDock5";

struct BarPlace {
    bool visible = true;
    std::u16string dock;  // empty: floating in a window of its own at floatLeft, floatTop
    int row = 0;
    int pos = 0;
    int floatLeft = 0;
    int floatTop = 0;
    bool Floating() const { return dock.empty(); }
    bool operator==(const BarPlace&) const = default;
};

// The layout the window is designed with.
BarPlace DesignedPlace(std::u16string_view bar);

// A section read back: nullopt when it is missing or damaged, and the designed place serves.
using SectionKeys = std::vector<std::pair<std::u16string, std::u16string>>;
std::optional<BarPlace> ReadBarPlace(const SectionKeys& keys);
SectionKeys WriteBarPlace(const BarPlace& place);

}  // namespace tavrik::ui
