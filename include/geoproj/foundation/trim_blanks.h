// Trimming of blanks (space, tab, CR, LF, VT, FF) around a text, for the readers of the small
// settings and list files.
#pragma once

#include <string>
#include <string_view>

namespace geoproj {

// The text without the blanks at either end; a view into text.
std::string_view TrimBlanks(std::string_view text);

}  // namespace geoproj
