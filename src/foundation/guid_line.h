// The GUID line of a per-borehole file: the origin name (its first word) and, after it and one
// separator character, the borehole's GUID. Every file that repeats the borehole's GUID section
// splits the line the same way.
#pragma once

#include <string>

namespace geoproj {

// Splits line into its first word and the text after the word and one separator. True when a
// word was read, it does not begin with "*", and the line goes on after it; false otherwise
// (the caller then falls back to the identifier as origin name).
bool SplitGuidLine(const std::string& line, std::string* word, std::string* guid);

}  // namespace geoproj
