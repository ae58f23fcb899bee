// CBorviMil: reading and writing the environmental sampling data, as the separate file ID.MIL
// or as a block inside a file the caller passes.
#include "geoproj/methods/borvi_mil.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/date_time.h"
#include "geoproj/platform/files.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/sond_block.h"

namespace {

// Line 2 of a sample holds m5 from this column on, 8 characters of it.
constexpr std::size_t kM5Kolumn = 20;
constexpr std::size_t kM5Size = 8;

// Reads the lines of the data up to and including a line beginning with "*", each cut at its
// first LF and converted from the DOS code page.
bool NextLine(CStdioFileMem* file, std::string& line, bool* ended) {
  if (*ended || !file->ReadString(line)) return false;
  if (!line.empty() && line[0] == '*') {
    *ended = true;
    return false;
  }
  const std::size_t lf = line.find('\n');
  if (lf != std::string::npos) line.resize(lf);
  geoproj::DosToWin(line);
  return true;
}

// Scans words of a line as "%s" would, each cut to its field.
template <std::size_t N>
void TakeWord(char (&field)[N], const std::vector<char>& word) {
  geoproj::CopyField(field, word.data());
}

std::string FirstLine(const miljtype& m) {
  // Blanks in place of a name would make the depth read back as the name.
  std::string namn = geoproj::FieldText(m.namn);
  if (namn.empty()) namn = "-";
  // A name beginning with "*" would end the data when read back; a blank before it is skipped
  // by the reading.
  return geoproj::Format("%s%-3s %7.2f %s %s %s", namn.starts_with('*') ? " " : "", namn.c_str(),
                         static_cast<double>(m.djup), geoproj::FieldText(m.m1).c_str(),
                         geoproj::FieldText(m.m2).c_str(), geoproj::FieldText(m.m3).c_str());
}

// Line 2 up to where m5 starts.
std::string SecondLineHead(const miljtype& m) {
  return geoproj::Format("%-4s %6.1f  %s      ", geoproj::FieldText(m.m4).c_str(),
                         static_cast<double>(m.mvarde), geoproj::FieldText(m.m6).c_str());
}

std::string SecondLine(const miljtype& m) { return SecondLineHead(m) + geoproj::FieldText(m.m5); }

}  // namespace

CBorviMil::CBorviMil(int option1, int option2, int samlagring_)
    : m_option1(option1), m_option2(option2), samlagring(samlagring_) {
  geoproj::CopyField(kodsystem, geoproj::SondKodtyp());
}

int CBorviMil::Sortval(int key) {
  if (!pael || !markel) return 0;
  if (key == 1) return pael->djup > markel->djup ? 1 : 0;
  if (key == -1) return pael->djup >= markel->djup ? 1 : 0;
  return 0;
}

int CBorviMil::Init(CStdioFileMem* file, const char* id, const std::string* datumArg) {
  m_droppedContent = 0;
  if (!file) return -1;
  const std::string path = file->GetFilePath();
  const bool exists = geoproj::FileExists(path);
  if (exists) ReadFileDates(path);
  if (!file->IsOpen() && !(exists && file->Open(path, CStdioFileMem::modeRead))) {
    geoproj::ShowStatusF("Info : Det finns inga milj\xF6tekniksdata f\xF6r id : %s", id ? id : "");
    geoproj::CopyField(kodsystem, geoproj::SondKodtyp());
    return -1;
  }
  const int before = file->GetDroppedCount();
  ReadHeader(file, datumArg);
  m_droppedContent = file->GetDroppedCount() - before;
  return 0;
}

void CBorviMil::ReadFileDates(const std::string& path) {
  geoproj::FileDatesYmd(path, skapad, andrad);
}

// The header line, then (in a file of its own) the "*" line that ends the header, then the
// samples.
void CBorviMil::ReadHeader(CStdioFileMem* file, const std::string* datumArg) {
  if (samlagring && datumArg) geoproj::CopyField(datum, *datumArg);
  std::string line;
  bool ended = false;
  if (!NextLine(file, line, &ended)) {
    // A "*" in place of the header line ends the header of a file, and a block.
    if (ended && !samlagring) ReadSamples(file);
    return;
  }
  guid = geoproj::SplitGuidTail(line);
  int s = 0, read = 0;
  if (samlagring) {
    const int n = std::sscanf(line.c_str(), "%d %d %f", &hkod, &s, &hvarde);
    geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 0, 3),
                           "header line does not parse");
    // The block's date came with its code line: the values count from the second on.
    read = (n > 0 ? n : 0) + 1;
  } else {
    std::vector<char> word(line.size() + 1, '\0');
    const int n = std::sscanf(line.c_str(), "%s %d %d %f", word.data(), &hkod, &s, &hvarde);
    geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 0, 4),
                           "header line does not parse");
    geoproj::CopyField(datum, word.data());
    read = n > 0 ? n : 0;
  }
  // A block's date came with its code line, whatever its header holds.
  if (read < 2 && !samlagring) datum[0] = '\0';
  if (geoproj::FieldText(datum) == "-") datum[0] = '\0';
  if (read < 3) hkod = 0;
  geoproj::CopyField(kodsystem, read > 3 && s == 1 ? "SGF" : "BVF");
  if (!samlagring) {
    // The header ends with a "*" line; the writer puts nothing before it.
    while (NextLine(file, line, &ended))
      geoproj::CheckReadLine(*file, line, geoproj::CountWords(line) == 0,
                             "line after the header not read");
    if (!ended) return file->ReportDropped("samples missing: the file ends after the header");
  }
  ReadSamples(file);
}

// Three lines a sample, up to a line beginning with "*" or the end of the file.
void CBorviMil::ReadSamples(CStdioFileMem* file) {
  std::string line;
  bool ended = false;
  while (NextLine(file, line, &ended)) {
    // A sample begins with its name and depth; a line holding nothing begins none.
    if (geoproj::CountWords(line) == 0 && !geoproj::HoldsBinaryGarbage(line)) continue;
    const int start = file->GetLineNumber();
    Ny(1, nullptr);
    miljtype* m = pael;
    ReadFirstLine(file, line, m);
    if (!NextLine(file, line, &ended)) {
      file->ReportDroppedAt(start, "sample cut off before its second line");
      break;
    }
    ReadSecondLine(file, line, m);
    if (!NextLine(file, line, &ended)) {
      file->ReportDroppedAt(start, "sample cut off before its comment line");
      break;
    }
    geoproj::CheckReadLine(*file, line, line.size() < sizeof m->kommentar,
                           "comment longer than its 32 characters");
    geoproj::CopyField(m->kommentar, line);
  }
  // A file of its own ends its samples with a "*" line; a block ends with the file too.
  if (!ended && !samlagring) file->ReportDropped("samples cut off by the end of the file");
}

void CBorviMil::ReadFirstLine(CStdioFileMem* file, const std::string& line, miljtype* m) {
  std::vector<char> namn(line.size() + 1, '\0'), m1(line.size() + 1, '\0'),
      m2(line.size() + 1, '\0'), m3(line.size() + 1, '\0');
  const int n = std::sscanf(line.c_str(), "%s%f%s%s%s", namn.data(), &m->djup, m1.data(),
                            m2.data(), m3.data());
  geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 0, 5),
                         "sample line does not parse");
  TakeWord(m->namn, namn);
  if (n < 5) {
    m->m1[0] = '\0';
    geoproj::CopyField(m->m2, "N");
    m->m3[0] = '\0';
    return;
  }
  TakeWord(m->m1, m1);
  TakeWord(m->m2, m2);
  TakeWord(m->m3, m3);
}

// m5 stands in its column, 8 characters of it. A kind wider than four characters, a value
// wider than its six, or no mark before m5 moves it where the writer put it; the reading that
// writes the line back as it stands is the one taken.
void CBorviMil::ReadSecondLine(CStdioFileMem* file, const std::string& line, miljtype* m) {
  std::vector<char> m4(line.size() + 1, '\0'), m6(line.size() + 1, '\0');
  int n = 0;
  // A line beginning with a blank (a tab too) holds no kind: its first word is the value.
  if (!line.empty() && std::isspace(static_cast<unsigned char>(line[0])))
    n = std::sscanf(line.c_str(), "%f%s", &m->mvarde, m6.data()) + 1;
  else
    n = std::sscanf(line.c_str(), "%s%f%s", m4.data(), &m->mvarde, m6.data());
  TakeWord(m->m4, m4);
  miljtype withMark = *m, withoutMark = *m;
  TakeWord(withMark.m6, m6);
  withoutMark.m6[0] = '\0';
  std::size_t m5Start = kM5Kolumn;
  *m = withMark;
  for (const miljtype* candidate : {&withMark, &withoutMark}) {
    miljtype c = *candidate;
    const std::size_t start = SecondLineHead(c).size();
    geoproj::CopyField(c.m5, line.size() > start ? line.substr(start, kM5Size) : std::string());
    if (SecondLine(c) == line) {
      *m = c;
      m5Start = start;
      break;
    }
  }
  if (m5Start == kM5Kolumn && SecondLine(*m) != line)
    geoproj::CopyField(m->m5, line.size() > kM5Kolumn ? line.substr(kM5Kolumn, kM5Size)
                                                      : std::string());
  const std::size_t head = std::min(m5Start, line.size());
  if (line.find_first_not_of(' ', m5Start + kM5Size) != std::string::npos &&
      line.size() > m5Start + kM5Size)
    return file->ReportDropped("text after the 8 characters not read");
  geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line.substr(0, head), n, 0, 3),
                         "value line does not parse");
}

int CBorviMil::Uppdat(CStdioFileMem* file) {
  const std::string shownDatum = geoproj::FieldText(datum);
  if (shownDatum.empty() || shownDatum == " ") geoproj::CopyField(datum, "-");
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::SondNyGuid();
  const int s = geoproj::FieldText(kodsystem) == "SGF" ? 1 : 0;
  const double h = hvarde;
  if (samlagring)
    file->WriteString(geoproj::Format("*\n%d %s\n%d %d %f GUID %s\n", Metod,
                                      geoproj::FieldText(datum).c_str(), hkod, s, h, guid.c_str()));
  else
    // A date beginning with "*" would end the header when read back; the blank before it is
    // skipped by the reading.
    file->WriteString(geoproj::Format("%s%s %d %d %f GUID %s\n*\n", datum[0] == '*' ? " " : "",
                                      geoproj::FieldText(datum).c_str(), hkod, s, h, guid.c_str()));
  if (Home() == 0) {
    do {
      WriteLine(file, FirstLine(*pael));
      WriteLine(file, SecondLine(*pael));
      WriteLine(file, geoproj::FieldText(pael->kommentar));
    } while ((*this)++);
  }
  if (!samlagring) file->WriteString("*\n");
  return 0;
}

void CBorviMil::WriteLine(CStdioFileMem* file, const std::string& line) const {
  if (m_option1) CBorviSnd::AddVbToPrv();
  file->WriteString(line + "\n");
}
