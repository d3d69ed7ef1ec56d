// The help file's text made ready for a plain edit control.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::ui {

// An edit control breaks lines only at CR LF: a lone LF, as the help files are written, or a lone
// CR becomes CR LF, and CR LF stays as it is.
std::u16string WithEditLineBreaks(std::u16string_view text);

}  // namespace tavrik::ui
