// Which of the faces the system reports the font name box lists.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::ui {

// One face as the system's font enumeration reports it; a face comes once for each character
// set it covers.
struct ReportedFace {
    std::u16string name;
    bool deviceOnly = false;  // a printer's font, with no TrueType or raster form for the screen
};

// The box's names: every face a page can show, once each, sorted without regard to case, and the
// default font of new pages among them whether reported or not.
std::vector<std::u16string> FontBoxNames(std::span<const ReportedFace> reported, std::u16string_view defaultFace);

}  // namespace tavrik::ui
