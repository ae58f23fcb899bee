// The road alignment an evaluation is restricted to, read from a text file of its points: one
// line "x y z station" per point, in station order, as the LINJE section of a measurement file
// holds them. Lines that begin with "*", the word LINJE and blank lines are passed over, so
// that a LINJE section copied from a measurement file reads as it stands.
#pragma once

#include <string>

class CVaglinje;

namespace geoproj {

// Appends the file's points to line. A line that is not four numbers is reported as dropped
// content (status text with the file and line) and counted in *dropped when given. 0, or -1
// when the file cannot be opened.
int ReadVaglinjeFil(const std::string& path, CVaglinje* line, int* dropped = nullptr);

}  // namespace geoproj
