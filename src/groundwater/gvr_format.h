// What the pipe reader and the piezometer reader of ID.GVR share: the line source that reports
// what it drops, the borehole header lines 1 to 8, the borehole GUID section and the file dates.
#pragma once

#include <string>

#include "geoproj/database/bhdbstype.h"

class CBorviSnd;
class CStdioFileMem;

namespace geoproj::gvr {

bool StartsSection(const std::string& line);

// The word of text at or after from, as scanf's "%s" reads it (blanks skipped first); *end
// gets the position after it. Empty when there is none. Lines of many readings are scanned for
// their numbers with the quick scanner, which reads no words.
std::string WordFrom(const std::string& text, std::size_t from, std::size_t* end = nullptr);

// Lines of an open file. Each line read is judged by Check; with report off (a first look at a
// file another reader reads next) nothing is reported.
class Lines {
 public:
  Lines(CStdioFileMem& file, bool report) : file_(file), report_(report) {}
  // The next line as it stands; false at the end of the file.
  bool Next(std::string& line);
  void Check(const std::string& line, bool parsed, const char* why);
  void Drop(const char* why);
  // Reports every line left that holds a word: nothing reads it.
  void DropRest();
  void SeekToBegin();
  // Reads up to and including the first line that begins with "*"; false when there is none.
  bool SkipPastSection();
  CStdioFileMem& file() { return file_; }

 private:
  CStdioFileMem& file_;
  bool report_;
};

// Lines 1 to 8 of the header: the borehole's five numbers, the kind line and the two value
// lines that carry the borehole's direction and inclination.
struct HeadStart {
  bool kindRead = false;   // line 6 present (its values below)
  std::string kind;        // first word, cut to two characters
  int number1 = 0;
  int number2 = 0;
  std::string guid;        // after the word GUID on the kind line; empty without it
  bool line7 = false;
  float value1 = 0.0f;
  bool line8 = false;
  float value2 = 0.0f;
  bool goesOn = false;     // line 8 was present and not a "*" line
};

// Reads the header's first eight lines into out and the borehole values of snd. A missing
// line or a "*" line from line 6 on ends the header.
void ReadHeadStart(Lines& in, CBorviSnd& snd, HeadStart* out);

// Reads up to four comment lines, until a "*" line; lines beyond the fourth are reported.
void ReadComments(Lines& in, std::string (&kommentar)[4]);
void WriteComments(CStdioFileMem& file, const std::string (&kommentar)[4]);

// Lines 1 to 5 as written: the borehole's five header numbers.
void WriteHeaderNumbers(CStdioFileMem& file, const CBorviSnd& snd);
// A word that begins a line as written: one beginning with "*" (read from behind a blank) gets
// the blank back, or it would end the header or the readings.
std::string AtLineStart(const std::string& word);

// The kind line as written.
std::string KindLine(const char* kind, int number1, int number2, const std::string& guid);

// The GUID section after the readings: "*" lines skipped, then 99, the origin name and the
// GUID, then up to three further lines. guidmark becomes "99" when the file has it; *guid gets
// the GUID read. Returns 0, or -1 when the line after 99 is missing.
int ReadGuidSection(Lines& in, CBorviSnd& snd, char (&guidmark)[4], std::string* guid);
// Writes the section (a borehole whose origin name is not "GUID" gets a new GUID). Returns
// whether it was written.
bool WriteGuidSection(CStdioFileMem& file, CBorviSnd& snd);

// Whether the file at path exists; its dates when it does, the "not found" message when not.
bool FileWithDates(const std::string& path, char (&skapad)[11], char (&andrad)[11]);

// The groundwater kind number of a kind in byte 2 of the status bits ("PZ" 1, "GV" 2, "GD" 3,
// "DB" and "MP" 6; another kind leaves them), and byte 4 0x02 when the file has a GUID section.
void SetKindBits(bhbit* bits, const std::string& kind, bool guidSection);

// The status text of a damaged groundwater file.
void ReadError(const CBorviSnd& snd);

}  // namespace geoproj::gvr
