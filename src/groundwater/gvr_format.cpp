#include "groundwater/gvr_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "foundation/guid_line.h"
#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/date_time.h"
#include "geoproj/platform/uuid.h"
#include "geoproj/sounding/borvi_snd.h"

namespace geoproj::gvr {
namespace {

constexpr int kGuidLines = 3;

// A direction read as a number; one too large for an int must not be converted to one.
int Direction(float value) {
  if (!(std::fabs(value) < 2.0e9f)) return 0;
  return static_cast<int>(value);
}

// Reads "%f %f" from a value line; the count of numbers read.
int ScanTwo(const std::string& line, float* first, float* second) {
  return std::sscanf(line.c_str(), "%f %f", first, second);
}

void ReadKindLine(Lines& in, std::string line, HeadStart* out) {
  DosToWin(line);
  out->kindRead = true;
  out->guid.clear();
  const std::size_t p = line.find("GUID");
  if (p != std::string::npos && p > 0) {
    const std::size_t tail = line.size() >= p + 5 ? line.size() - p - 5 : 0;
    out->guid = line.substr(line.size() - tail);
    line.resize(p);
  }
  std::vector<char> word(line.size() + 1, '\0');
  const int read = std::sscanf(line.c_str(), "%s%d%d", word.data(), &out->number1, &out->number2);
  if (read < 3) out->number2 = 0;
  if (read < 2) out->number1 = 0;
  out->kind = read >= 1 ? std::string(word.data()).substr(0, 2) : std::string();
  in.Check(line, ScanTookAll(line, read, 0, 3), "kind line does not parse");
}

}  // namespace

bool StartsSection(const std::string& line) { return !line.empty() && line[0] == '*'; }

std::string WordFrom(const std::string& text, std::size_t from, std::size_t* end) {
  const char* blanks = " \t\n\v\f\r";
  // scanf stops a word at a zero byte too: it never sees past the end of the C string.
  const std::size_t length = std::min(text.size(), text.find('\0'));
  std::size_t start = from < length ? text.find_first_not_of(blanks, from) : std::string::npos;
  if (start == std::string::npos || start >= length) {
    if (end) *end = length;
    return std::string();
  }
  std::size_t stop = text.find_first_of(blanks, start);
  if (stop == std::string::npos || stop > length) stop = length;
  if (end) *end = stop;
  return text.substr(start, stop - start);
}

bool Lines::Next(std::string& line) { return file_.ReadString(line) != 0; }

void Lines::Check(const std::string& line, bool parsed, const char* why) {
  if (report_) CheckReadLine(file_, line, parsed, why);
}

void Lines::Drop(const char* why) {
  if (report_) file_.ReportDropped(why);
}

void Lines::DropRest() {
  if (report_) {
    ReportLinesLeft(file_);
    return;
  }
  std::string line;
  while (file_.ReadString(line)) {
  }
}

void Lines::SeekToBegin() { file_.SeekToBegin(); }

bool Lines::SkipPastSection() {
  std::string line;
  while (Next(line))
    if (StartsSection(line)) return true;
  return false;
}

void ReadHeadStart(Lines& in, CBorviSnd& snd, HeadStart* out) {
  std::string line;
  for (double& value : snd.hvarde) {
    if (!in.Next(line)) return;
    if (StartsSection(line)) continue;
    const int read = std::sscanf(line.c_str(), "%lf", &value);
    in.Check(line, ScanTookAll(line, read, 0, 1), "header number is not a number");
  }
  if (!in.Next(line) || StartsSection(line)) return;
  ReadKindLine(in, line, out);
  if (!in.Next(line) || StartsSection(line)) return;
  float first = 0.0f, second = 0.0f;
  int read = ScanTwo(line, &first, &second);
  in.Check(line, ScanTookAll(line, read, 0, 2), "value and direction do not parse");
  out->line7 = read >= 1;
  if (read >= 1) out->value1 = first;
  snd.riktning = read >= 2 ? Direction(second) : 0;
  if (!in.Next(line) || StartsSection(line)) return;
  read = ScanTwo(line, &first, &second);
  in.Check(line, ScanTookAll(line, read, 0, 2), "value and inclination do not parse");
  out->line8 = read >= 1;
  if (read >= 1) out->value2 = first;
  snd.lutning = read >= 2 ? second : 90.0;
  out->goesOn = true;
}

void ReadComments(Lines& in, std::string (&kommentar)[4]) {
  std::string line;
  for (int i = 0; in.Next(line) && !StartsSection(line); ++i) {
    if (line.empty()) continue;
    if (i >= 4) {
      in.Check(line, false, "line after the four comment lines not read");
      continue;
    }
    in.Check(line, true, nullptr);
    DosToWin(line);
    kommentar[i] = line;
  }
}

void WriteComments(CStdioFileMem& file, const std::string (&kommentar)[4]) {
  bool any = false;
  for (const std::string& line : kommentar) any = any || line.c_str()[0] != '\0';
  if (!any) return;
  for (const std::string& line : kommentar) file.WriteString(Format("%s\n", line.c_str()));
}

void WriteHeaderNumbers(CStdioFileMem& file, const CBorviSnd& snd) {
  const double* h = snd.hvarde;
  file.WriteString(Format("%f\n%f\n%f\n", h[0], h[1], h[2]));
  file.WriteString(Format("%f\n%f\n", h[3], h[4]));
}

std::string AtLineStart(const std::string& word) {
  return !word.empty() && word[0] == '*' ? " " + word : word;
}

std::string KindLine(const char* kind, int number1, int number2, const std::string& guid) {
  return Format("%s %d %d GUID %s\n", AtLineStart(kind).c_str(), number1, number2, guid.c_str());
}

int ReadGuidSection(Lines& in, CBorviSnd& snd, char (&guidmark)[4], std::string* guid) {
  std::string line;
  bool found = false;
  while (!found && in.Next(line)) found = !StartsSection(line);
  if (!found) return 0;
  int code = 0;
  if (std::sscanf(line.c_str(), "%d", &code) != 1 || code != 99) {
    in.Check(line, CountWords(line) == 0, "section after the readings not read");
    in.DropRest();
    return 0;
  }
  CopyField(guidmark, "99");
  if (!in.Next(line)) return -1;
  in.Check(line, true, nullptr);
  std::string word, text;
  if (SplitGuidLine(line, &word, &text)) {
    CopyField(snd.orgnamn, word);
    snd.guid = text;
    *guid = text;
  } else {
    CopyField(snd.orgnamn, FieldText(snd.id));
  }
  for (int i = 0; in.Next(line) && !StartsSection(line); ++i) {
    if (line.empty()) continue;
    in.Check(line, i < kGuidLines, "line after the three GUID lines not read");
    if (i < kGuidLines) snd.guidrader[i] = line;
  }
  in.DropRest();
  return 0;
}

// A line holds its text up to a stray zero byte read into it: the rest cannot be written, and
// must not take the line end with it.
bool WriteGuidSection(CStdioFileMem& file, CBorviSnd& snd) {
  const auto upToZero = [](const std::string& text) { return text.substr(0, text.find('\0')); };
  if (FieldText(snd.orgnamn) == "GUID" && upToZero(snd.guid).size() >= 36) {
    file.WriteString(Format("*\n%d\n%s %s\n", 99, "GUID", snd.guid.c_str()));
    for (const std::string& line : snd.guidrader) {
      const std::string text = upToZero(line);
      if (text.empty()) break;
      file.WriteString(text + "\n");
    }
    return true;
  }
  const std::string fresh = NewUuidText();
  if (fresh.empty()) return false;
  file.WriteString(Format("*\n%d\n%s %s\n", 99, "GUID", fresh.c_str()));
  snd.guid = fresh;
  CopyField(snd.orgnamn, "GUID");
  for (std::string& line : snd.guidrader) line.clear();
  return true;
}

bool FileWithDates(const std::string& path, char (&skapad)[11], char (&andrad)[11]) {
  if (!FileExists(path)) {
    ShowMessageF(kMbOk | kMbIconExclamation, nullptr, "Hittar inte filen\n%s\nAvbryter!",
                 path.c_str());
    return false;
  }
  FileDatesYmd(path, skapad, andrad);
  return true;
}

void SetKindBits(bhbit* bits, const std::string& kind, bool guidSection) {
  int number = 0;
  if (kind == "PZ") number = 1;
  if (kind == "GV") number = 2;
  if (kind == "GD") number = 3;
  if (kind == "DB" || kind == "MP") number = 6;
  if (number) bits->b[2] = static_cast<unsigned char>((bits->b[2] & ~0x0E) | (number << 1));
  if (guidSection) SetBit(*bits, kBitGvrGuid);
}

void ReadError(const CBorviSnd& snd) {
  ShowStatusF("Fel (readgvr.c) : fel vid inl\xE4sning av grundvattenr\xF6r=%s",
              FieldText(snd.id).c_str());
}

}  // namespace geoproj::gvr
