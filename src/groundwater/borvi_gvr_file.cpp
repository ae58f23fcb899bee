// CBorviGvr: reading and writing the pipe and settlement-point form of ID.GVR.
#include <cstdio>
#include <cstring>
#include <vector>

#include "foundation/quick_print.h"
#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/borvi_gvr.h"
#include "geoproj/groundwater/borvi_gvr_pz.h"
#include "geoproj/platform/date_time.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/uuid.h"
#include "geoproj/sounding/borvi_snd.h"
#include "groundwater/gvr_format.h"

using geoproj::Format;
using geoproj::gvr::Lines;
using geoproj::gvr::StartsSection;

namespace {

// Columns of a reading line, counted from its flag: the status, the comment and the time.
constexpr std::size_t kStatusColumn = 2;
constexpr std::size_t kStatusRead = 23;
constexpr std::size_t kCommentColumn = 27;
constexpr std::size_t kCommentRead = 44;
constexpr std::size_t kTimeColumn = 72;
constexpr std::size_t kTimeRead = 6;
// A pipe's end state is one short word; a longer one is not a state.
constexpr std::size_t kPipeWordLimit = 9;
constexpr std::size_t kDescriptionRead = 59;

const char kBlanks[] = " \t\r\n\v\f";

std::string RightTrimmed(std::string text) {
  const std::size_t end = text.find_last_not_of(kBlanks);
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

// A column holds its text up to a stray zero byte, as its field will: an empty time must be
// seen as empty here, or it is written as none and read back as midnight.
std::string Column(const std::string& line, std::size_t from, std::size_t count) {
  if (from >= line.size()) return std::string();
  std::string text = line.substr(from, count);
  return RightTrimmed(text.substr(0, text.find('\0')));
}

// Whether the line holds text where no column of the reading is read from the flag at p.
bool TextOutsideColumns(const std::string& line, std::size_t p) {
  const auto blankFrom = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < line.size(); ++i)
      if (!std::strchr(kBlanks, line[i]) || line[i] == '\0') return false;
    return true;
  };
  return !blankFrom(p + kStatusColumn + kStatusRead, p + kCommentColumn) ||
         !blankFrom(p + kCommentColumn + kCommentRead, p + kTimeColumn) ||
         !blankFrom(p + kTimeColumn + kTimeRead, line.size());
}

// "%d%d%d%f%s" into year, month, day, level and flag; the flag's columns count from where the
// flag word was read. False with fewer than five fields.
bool ParseReading(const std::string& line, rortype* r, std::size_t* flagAt) {
  int at = -1;
  const int read = geoproj::ScanLine(line.c_str(), "%d%d%d%f %n", &r->ar, &r->man, &r->dag, &r->niva, &at);
  if (read < 4 || at < 0) return false;
  const std::string flag = geoproj::gvr::WordFrom(line, static_cast<std::size_t>(at));
  if (flag.empty()) return false;
  geoproj::CopyField(r->flagga, flag);
  geoproj::CopyField(r->datum, geoproj::FormatDate({r->ar, r->man, r->dag}));
  const std::size_t p = static_cast<std::size_t>(at);
  std::string status = Column(line, p + kStatusColumn, kStatusRead);
  if (geoproj::CountWords(status) == 0) status.clear();
  geoproj::CopyField(r->status, status);
  geoproj::CopyField(r->kommentar, Column(line, p + kCommentColumn, kCommentRead));
  const std::string tid = Column(line, p + kTimeColumn, kTimeRead);
  geoproj::CopyField(r->tid, tid.empty() ? std::string("00:00") : tid);
  *flagAt = p;
  return true;
}

}  // namespace

int CBorviGvr::Init(CStdioFileMem* file, const char* name) {
  m_droppedContent = 0;
  const int piezometer = pz->Init(file, name);
  if (piezometer < 1) {
    TakeOverPiezometer();
    m_droppedContent = pz->m_droppedContent;
    return piezometer;
  }
  const std::string path = file->GetFilePath();
  if (!geoproj::gvr::FileWithDates(path, skapad, andrad)) return -1;
  if (!file->IsOpen() && !file->Open(path, CStdioFileMem::modeRead)) return 1;
  Lines in(*file, true);
  const int result = ReadFile(in);
  m_droppedContent = file->GetDroppedCount();
  return result;
}

void CBorviGvr::TakeOverPiezometer() {
  geoproj::CopyField(typ, geoproj::FieldText(pz->typ));
  guid = pz->guid;
  varde1 = pz->varde1;
  varde2 = pz->varde2;
  varde3 = pz->reserv;
}

int CBorviGvr::ReadFile(Lines& in) {
  if (ReadHeader(in)) geoproj::gvr::ReadComments(in, kommentar);
  const int result = ReadReadings(in);
  CompleteMean();
  return result;
}

// Lines 1 to 9; true when all of them were there. A header that ends early at a "*" line has
// no comment lines: that line begins the readings.
bool CBorviGvr::ReadHeader(Lines& in) {
  geoproj::gvr::HeadStart head;
  geoproj::gvr::ReadHeadStart(in, *snd, &head);
  if (head.kindRead) {
    geoproj::CopyField(typ, head.kind);
    tidflagga = head.number1;
    typnummer = head.number2;
    guid = head.guid;
    if (head.kind == "DB" || head.kind == "MP") {
      dubbmod = 1;
      geoproj::ShowStatusF("Varning :%s \xE4r en s\xE4ttningsdubb !",
                           geoproj::FieldText(snd->id).c_str());
    }
  }
  if (head.line7) varde1 = head.value1;
  if (head.line8) varde2 = head.value2;
  std::string line;
  if (!head.goesOn || !in.Next(line) || StartsSection(line)) return false;
  ReadLine9(line, in);
  return true;
}

// Value 3, the mean level and the pipe text. The text is taken from where its word was read:
// a description that begins with a digit found in the numbers before it must not start there.
void CBorviGvr::ReadLine9(std::string line, Lines& in) {
  geoproj::DosToWin(line);
  rortext[0] = '\0';
  std::vector<char> word(line.size() + 1, '\0');
  int at = -1;
  const int read = std::sscanf(line.c_str(), "%f %f %n%s", &varde3, &medelniva, &at, word.data());
  if (read < 2) medelniva = -999.0f;
  if (read == 3 && at >= 0) {
    const std::string text = word.data();
    if (dubbmod)
      geoproj::CopyField(rortext, line.substr(static_cast<std::size_t>(at), kDescriptionRead));
    else if (text.size() < kPipeWordLimit)
      geoproj::CopyField(rortext, text);
  }
  if (!dubbmod && geoproj::FieldText(rortext) == "PPEN") geoproj::CopyField(rortext, "\xD6PPEN");
  in.Check(line, dubbmod || geoproj::ScanTookAll(line, read, 0, 3), "line 9 does not parse");
}

// The readings follow the first "*" line of the file, the GUID section follows them.
int CBorviGvr::ReadReadings(Lines& in) {
  in.SeekToBegin();
  if (!in.SkipPastSection()) return 0;
  std::string line;
  while (in.Next(line) && !StartsSection(line)) {
    geoproj::DosToWin(line);
    Ny(1, nullptr);
    std::size_t flagAt = 0;
    if (!ParseReading(line, pael, &flagAt)) {
      in.Check(line, false, "reading line does not parse");
      geoproj::gvr::ReadError(*snd);
      return 1;
    }
    in.Check(line, !TextOutsideColumns(line, flagAt), "reading line holds text outside its columns");
  }
  std::string boreholeGuid;
  if (geoproj::gvr::ReadGuidSection(in, *snd, guidmark, &boreholeGuid) != 0) {
    in.Drop("GUID section cut off after its code");
    geoproj::gvr::ReadError(*snd);
    return 1;
  }
  return 0;
}

void CBorviGvr::CompleteMean() {
  if (medelniva >= -990.0f) return;
  double sum = 0.0;
  int count = 0;
  if (Home() == 0) {
    do {
      if (geoproj::FieldText(pael->flagga) != "J") continue;
      sum += pael->niva;
      ++count;
    } while ((*this)++);
  }
  medelniva = count > 0 ? static_cast<float>(sum / count) : -999.0f;
}

int CBorviGvr::Uppdat(CStdioFileMem* file, const char* name) {
  if (geoproj::FieldText(typ) == "R\xD6") geoproj::CopyField(typ, "GD");
  if (geoproj::FieldText(pz->typ) == "R\xD6") geoproj::CopyField(pz->typ, "GD");
  // A pipe the host is creating has its kind here only; the reader writes by its kind.
  if (!pz->typ[0]) geoproj::CopyField(pz->typ, geoproj::FieldText(typ));
  if (IsPiezometer()) {
    const int result = pz->Uppdat(file, name);
    TakeOverPiezometer();
    return result;
  }
  bool opened = false;
  if (!file->IsMemFile() && !file->IsOpen()) {
    if (!file->Open(file->GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) {
      geoproj::ShowStatusF("Kan inte skapa %s !", file->GetFilePath().c_str());
      return -1;
    }
    opened = true;
  }
  // The kind line holds the GUID up to a stray zero byte read into it.
  guid = guid.substr(0, guid.find('\0'));
  if (guid.size() < 36) guid = geoproj::NewUuidText();
  // In date order before the statistics: a settlement point's settlements count from its
  // earliest counted reading. The insertion repair of the format is quadratic on a list far
  // from order; the stable sort gives the same order.
  if (!IsSorted()) Sortera(1);
  double minimum = 0.0, maximum = 0.0, mean = 0.0;
  // Without a counted reading the mean is not known, which the file says with -999; a mean of
  // 0 would read as a level.
  const int counted = MinMaxMedel(&minimum, &maximum, &mean, nullptr, nullptr);
  medelniva = counted > 0 ? static_cast<float>(mean) : -999.0f;
  WriteFile(*file);
  if (opened) file->Close();
  return 0;
}

void CBorviGvr::WriteFile(CStdioFileMem& file) {
  geoproj::gvr::WriteHeaderNumbers(file, *snd);
  if (!typ[0]) geoproj::CopyField(typ, Kind());
  file.WriteString(geoproj::gvr::KindLine(typ, tidflagga, typnummer, guid));
  file.WriteString(Format("%f %d\n", static_cast<double>(varde1), snd->riktning));
  file.WriteString(Format("%f %lf\n", static_cast<double>(varde2), snd->lutning));
  file.WriteString(Format("%f %f %s\n", static_cast<double>(varde3),
                          static_cast<double>(medelniva), geoproj::FieldText(rortext).c_str()));
  geoproj::gvr::WriteComments(file, kommentar);
  file.WriteString("*\n");
  if (Home() == 0) {
    do {
      file.WriteString(ReadingLine(*pael));
    } while ((*this)++);
  }
  file.WriteString("*\n");
  // What was written is what the file now holds: the record computed next must say so.
  if (geoproj::gvr::WriteGuidSection(file, *snd)) geoproj::CopyField(guidmark, "99");
}

std::string CBorviGvr::ReadingLine(const rortype& r) const {
  std::string line = Format(" %d %d %d %f %s %-25s%-44s", r.ar, r.man, r.dag,
                            static_cast<double>(r.niva), geoproj::FieldText(r.flagga).c_str(),
                            geoproj::FieldText(r.status).c_str(),
                            geoproj::FieldText(r.kommentar).c_str());
  if (tidflagga == 1) line += " " + geoproj::FieldText(r.tid);
  return RightTrimmed(line) + "\n";
}
