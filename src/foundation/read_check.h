// The rules by which every reader judges the lines it takes content from, so that what one
// reader reports as dropped (CStdioFileMem::ReportDropped) another reports the same way.
//
// A line is dropped when it holds binary garbage, or when the reader's scan of it stopped short:
// a word where a number must be ends a scan, and everything after it is lost. What a format
// reads by its own rules (fewer fields defaulted, a word cut to its field, an older layout) is
// no loss and is not reported.
#pragma once

#include <string>
#include <string_view>

class CStdioFileMem;

namespace geoproj {

// Whether text holds a byte no text file of a project holds: a control character other than
// tab, or DEL.
bool HoldsBinaryGarbage(std::string_view text);

// The number of blank-separated words of text, as scanf's "%s" would read them.
int CountWords(std::string_view text);

// Whether a scan that read `read` fields (a scanf result; negative counts as none) took every
// field text holds: at least `required`, and one for each blank-separated word of text up to
// `most`. Words after the last field the format reads are not its business.
bool ScanTookAll(std::string_view text, int read, int required, int most);

// Reports line, the one file returned last, as dropped: as binary garbage when it holds any,
// otherwise with why when parsed is false. Returns whether the line was taken whole.
bool CheckReadLine(CStdioFileMem& file, std::string_view line, bool parsed, const char* why);
// A line of free text: only binary garbage is reported.
bool CheckReadLine(CStdioFileMem& file, std::string_view line);

// A text line kept as it stands up to its first zero byte, which no line written can hold; the
// rest is reported as dropped content of the file.
std::string KeptUpToZeroByte(CStdioFileMem& file, const std::string& line);

// Reads the rest of a file that holds one block whose end line has been read, and reports every
// line that holds a word: no reader takes it. Returns the number reported.
int ReportLinesLeft(CStdioFileMem& file);

}  // namespace geoproj
