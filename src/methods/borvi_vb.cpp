// CBorviVb: construction and the vane file ID.VB, which carries the borehole's header numbers
// and origin section beside the tests.
#include "geoproj/methods/borvi_vb.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "foundation/guid_line.h"
#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/date_time.h"
#include "geoproj/platform/files.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/sond_block.h"

namespace {

constexpr std::size_t kVingeChars = 10;
constexpr int kRecordValues = 9;
constexpr int kGuidLines = 3;

bool StartsSection(const std::string& line) { return !line.empty() && line[0] == '*'; }

std::string RecordLine(const vinbtype& r) {
  return geoproj::Format(" %.3f %.1f %.1f %.1f %.1f %d %.2f %d %.2f %s\n", r.djup, r.varde1,
                         r.varde2, r.varde3, r.varde4, r.tal1, r.varde5, r.tal2, r.varde6,
                         geoproj::FieldText(r.text).c_str());
}

}  // namespace

const char* const CBorviVb::Kalfilnamn = "Vingebor.kal";

CBorviVb::CBorviVb() = default;

CBorviVb::CBorviVb(int option1, CBorviSnd* owner, CBorvIni* settings)
    : m_option1(option1), snd(owner), ini(settings) {}

CBorviVb::~CBorviVb() = default;

// A vane object made without its sounding reads and writes the header fields of one of its own.
CBorviSnd& CBorviVb::Sounding() {
  if (snd) return *snd;
  if (!m_egenSnd) m_egenSnd = std::make_unique<CBorviSnd>();
  return *m_egenSnd;
}

int CBorviVb::Init(CStdioFileMem* file, const char* id) {
  m_droppedContent = 0;
  if (!file) return 0;
  const std::string path = file->GetFilePath();
  if (!geoproj::FileExists(path)) return 0;
  ReadFileDates(path);
  if (file->IsOpen() || !file->Open(path, CStdioFileMem::modeRead)) return 0;
  const int before = file->GetDroppedCount();
  ReadHeader(file);
  ReadRecords(file, id ? id : "");
  ReadOrigin(file, id ? id : "");
  m_droppedContent = file->GetDroppedCount() - before;
  return 0;
}

void CBorviVb::ReadFileDates(const std::string& path) {
  geoproj::FileDatesYmd(path, skapad, andrad);
}

// Lines 1 to 9: the five header numbers, the start depth, the vane's name and number, and the
// comment with the test's GUID. A "*" line among the first six takes its line's place unread.
void CBorviVb::ReadHeader(CStdioFileMem* file) {
  CBorviSnd* s = &Sounding();
  std::string line;
  for (int i = 0; i < 5; ++i) {
    if (!file->ReadString(line)) return;
    if (StartsSection(line)) continue;
    const int n = std::sscanf(line.c_str(), "%lf", &s->hvarde[i]);
    geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 1, 1), "not a number");
  }
  if (!file->ReadString(line)) return;
  if (!StartsSection(line)) {
    geoproj::DosToWin(line);
    const int n = std::sscanf(line.c_str(), "%f", &s->startdjup);
    geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 1, 1),
                           "start depth is not a number");
  }
  if (!file->ReadString(line) || StartsSection(line)) return;
  geoproj::DosToWin(line);
  geoproj::CheckReadLine(*file, line);
  geoproj::CopyField(vinge, kVingeChars + 1, line.c_str());
  if (!file->ReadString(line)) return;
  geoproj::DosToWin(line);
  if (!StartsSection(line)) {
    const int n = std::sscanf(line.c_str(), "%d", &vingenr);
    geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 1, 1),
                           "vane number is not a number");
  }
  if (!file->ReadString(line) || StartsSection(line)) return;
  geoproj::DosToWin(line);
  geoproj::CheckReadLine(*file, line);
  ReadCommentLine(line);
}

// "<comment> GUID <guid>": the comment is what stands before the blank that the writer puts
// between it and the word, so that it does not grow by a blank with every save. A line without
// the word is all comment.
void CBorviVb::ReadCommentLine(std::string line) {
  CBorviSnd* s = &Sounding();
  const std::size_t whole = line.size();
  const std::string read = geoproj::SplitGuidTail(line);
  if (line.size() != whole) {
    guid = read;
    if (line.ends_with(' ')) line.pop_back();
  }
  s->kommentar[0] = line;
}

// The records stand between the first two "*" lines.
void CBorviVb::ReadRecords(CStdioFileMem* file, const char* id) {
  file->SeekToBegin();
  std::string line;
  int number = 0;
  while (file->ReadString(line) && !StartsSection(line)) {
    // The header's nine lines are read above; any after them are not.
    if (++number > 9) geoproj::CheckReadLine(*file, line, geoproj::CountWords(line) == 0,
                                             "line after the header not read");
  }
  while (file->ReadString(line) && !StartsSection(line)) {
    geoproj::DosToWin(line);
    if (geoproj::CountWords(line) == 0 && !geoproj::HoldsBinaryGarbage(line)) continue;
    Ny(1, nullptr);
    vinbtype& r = *pael;
    std::vector<char> text(line.size() + 1, '\0');
    const int n = std::sscanf(line.c_str(), "%f%f%f%f%f%d%f%d%f%s", &r.djup, &r.varde1, &r.varde2,
                              &r.varde3, &r.varde4, &r.tal1, &r.varde5, &r.tal2, &r.varde6,
                              text.data());
    geoproj::CopyField(r.text, text.data());
    if (n < kRecordValues) geoproj::ShowStatusF("Fel i Vingeboring !!!, id=%s", id);
    geoproj::CheckReadLine(*file, line,
                           geoproj::ScanTookAll(line, n, 0, 10) && geoproj::CountWords(line) <= 10,
                           "test line does not parse");
  }
}

// After the records: further "*" lines, then the origin section's code 99, its GUID line and up
// to three further lines.
void CBorviVb::ReadOrigin(CStdioFileMem* file, const char* id) {
  CBorviSnd* s = &Sounding();
  std::string line;
  bool more = false;
  while ((more = file->ReadString(line) != 0) && StartsSection(line)) {
  }
  if (!more) return;
  int code = 0;
  if (std::sscanf(line.c_str(), "%d", &code) != 1 || code != 99) {
    geoproj::CheckReadLine(*file, line, false, "section other than the origin section not read");
    return;
  }
  std::string word, rest;
  const bool read = file->ReadString(line) != 0;
  if (read) geoproj::DosToWin(line);
  if (read && geoproj::SplitGuidLine(line, &word, &rest)) {
    geoproj::CopyField(s->orgnamn, word);
    s->guid = rest;
  } else {
    geoproj::ShowStatusF("%s%s)!", "Originalnamnet saknas (id=", id);
    geoproj::CopyField(s->orgnamn, id);
  }
  if (!read || StartsSection(line)) return;
  for (int i = 0; file->ReadString(line) && !StartsSection(line); ++i) {
    if (line.empty()) continue;
    geoproj::CheckReadLine(*file, line, i < kGuidLines, "line after the three GUID lines not read");
    if (i < kGuidLines) s->guidrader[i] = line;
  }
}

int CBorviVb::Uppdat(CStdioFileMem* file) {
  if (!file) return -1;
  const bool openHere = !file->IsMemFile() && !file->IsOpen();
  if (openHere &&
      !file->Open(file->GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) {
    geoproj::ShowStatusF("Kan inte skapa %s !", file->GetFilePath().c_str());
    return -1;
  }
  CBorviSnd* s = &Sounding();
  const double* h = s->hvarde;
  file->WriteString(geoproj::Format("%f\n%f\n%f\n", h[0], h[1], h[2]));
  file->WriteString(geoproj::Format("%f\n%f\n", h[3], h[4]));
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::SondNyGuid();
  file->WriteString(geoproj::Format("%f\n%s\n%d\n%s GUID %s\n",
                                    static_cast<double>(s->startdjup),
                                    geoproj::FieldText(vinge).c_str(), vingenr,
                                    s->kommentar[0].c_str(), guid.c_str()));
  file->WriteString("*\n");
  WriteRecords(file);
  file->WriteString("*\n");
  WriteOrigin(file);
  if (openHere) file->Close();
  return 0;
}

void CBorviVb::WriteRecords(CStdioFileMem* file) {
  if (Home() < 0) return;
  do {
    file->WriteString(RecordLine(*pael));
  } while ((*this)++);
}

// The borehole keeps its GUID; one read from an older file gets a new one in the file, which
// is read back as the borehole's from then on.
void CBorviVb::WriteOrigin(CStdioFileMem* file) {
  CBorviSnd* s = &Sounding();
  if (m_option1) CBorviSnd::AddVbToPrv();
  const auto upToZero = [](const std::string& text) { return text.substr(0, text.find('\0')); };
  if (geoproj::FieldText(s->orgnamn) == "GUID" && upToZero(s->guid).size() >= 36) {
    file->WriteString(geoproj::Format("*\n%d\n%s %s\n", 99, "GUID", s->guid.c_str()));
    for (const std::string& line : s->guidrader) {
      const std::string text = upToZero(line);
      if (text.empty()) break;
      file->WriteString(text + "\n");
    }
    return;
  }
  const std::string fresh = geoproj::SondNyGuid();
  file->WriteString(geoproj::Format("*\n%d\n%s %s\n", 99, "GUID", fresh.c_str()));
}
