// CBorviGvrPz: reading and writing the piezometer form of ID.GVR.
#include "geoproj/groundwater/borvi_gvr_pz.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/pore_kal_fil.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/uuid.h"
#include "geoproj/sounding/borvi_snd.h"
#include "groundwater/gvr_format.h"

using geoproj::Format;
using geoproj::gvr::Lines;
using geoproj::gvr::StartsSection;

const char* const CBorviGvrPz::m_typer[] = {"PZ", "GV", "GD"};
const int CBorviGvrPz::m_anttyper = 3;
const char* const CBorviGvrPz::m_dubbtyper[] = {"DB", "MP"};
const int CBorviGvrPz::m_antdubbtyper = 2;

namespace {

// Scans a reading line as "%s%d%f%ld%f%s" would, the words cut to their fields; the number of
// fields read.
int ScanReading(const std::string& line, pzrortype* r) {
  std::vector<char> first(line.size() + 1, '\0'), sixth(line.size() + 1, '\0');
  long falt4 = 0;
  const int read = std::sscanf(line.c_str(), "%s%d%f%ld%f%s", first.data(), &r->falt2,
                               &r->falt3, &falt4, &r->falt5, sixth.data());
  geoproj::CopyField(r->falt1, first.data());
  r->falt4 = static_cast<int>(falt4);
  geoproj::CopyField(r->falt6, sixth.data());
  return read;
}

}  // namespace

CBorviGvrPz::CBorviGvrPz(int traceFlag, CBorviSnd* owner, CBorvIni* settings)
    : trace(traceFlag), ini(settings), snd(owner) {
  if (!snd) {
    m_egenSnd = std::make_unique<CBorviSnd>();
    snd = m_egenSnd.get();
  }
}

CBorviGvrPz::~CBorviGvrPz() { delete porekal; }

// "RÖ" is the pipe kind the pipe writer turns into "GD": read here, its readings would be
// lost when the pipe writer writes the file.
bool CBorviGvrPz::PipeKind(const char* kind) {
  return std::strcmp(kind, "GD") == 0 || std::strcmp(kind, "DB") == 0 ||
         std::strcmp(kind, "MP") == 0 || std::strcmp(kind, "R\xD6") == 0;
}

int CBorviGvrPz::Init(CStdioFileMem* file, const char* /*name*/) {
  m_droppedContent = 0;
  const std::string path = file->GetFilePath();
  if (!geoproj::gvr::FileWithDates(path, skapad, andrad)) return -1;
  if (!file->IsOpen() && !file->Open(path, CStdioFileMem::modeRead)) return -1;
  // A first quiet look tells the kind: a pipe's file is the pipe reader's to judge.
  Lines look(*file, false);
  ReadHeader(look);
  if (PipeKind(typ)) {
    file->Close();
    return 1;
  }
  file->SeekToBegin();
  Lines lines(*file, true);
  if (ReadHeader(lines)) geoproj::gvr::ReadComments(lines, kommentar);
  const int result = ReadBody(lines);
  m_droppedContent = file->GetDroppedCount();
  return result;
}

// Lines 1 to 10; returns 1 when all of them were there, so that comment lines follow.
int CBorviGvrPz::ReadHeader(Lines& in) {
  geoproj::gvr::HeadStart head;
  geoproj::gvr::ReadHeadStart(in, *snd, &head);
  if (head.kindRead) {
    geoproj::CopyField(typ, head.kind == "PP" ? std::string("PZ") : head.kind);
    guid = head.guid;
    nummer1 = head.number1;
    nummer2 = head.number2;
  }
  if (head.line7) varde1 = head.value1;
  if (head.line8) varde2 = head.value2;
  std::string line;
  if (!head.goesOn || !in.Next(line) || StartsSection(line)) return 0;
  int read = std::sscanf(line.c_str(), "%f", &varde3);
  in.Check(line, geoproj::ScanTookAll(line, read, 0, 1), "value is not a number");
  if (!in.Next(line) || StartsSection(line)) return 0;
  std::vector<char> word(line.size() + 1, '\0');
  read = std::sscanf(line.c_str(), "%s", word.data());
  if (read == 1) geoproj::CopyField(snd->datum, 11, word.data());
  in.Check(line, geoproj::ScanTookAll(line, read, 0, 1), "date line holds more than a date");
  return 1;
}

// The readings after the first "*" line, then the GUID section.
int CBorviGvrPz::ReadBody(Lines& in) {
  in.SeekToBegin();
  if (!in.SkipPastSection()) return 0;
  std::string line;
  while (in.Next(line) && !StartsSection(line)) {
    geoproj::DosToWin(line);
    Ny(1, nullptr);
    const int read = ScanReading(line, pael);
    if (read < 5) {
      in.Check(line, false, "reading line does not parse");
      geoproj::gvr::ReadError(*snd);
      return -1;
    }
    in.Check(line, geoproj::ScanTookAll(line, read, 5, 6), "reading line does not parse");
  }
  if (geoproj::gvr::ReadGuidSection(in, *snd, guidmark, &guidtext) != 0) {
    in.Drop("GUID section cut off after its code");
    geoproj::gvr::ReadError(*snd);
    return -1;
  }
  return 0;
}

int CBorviGvrPz::Uppdat(CStdioFileMem* file, const char* /*name*/) {
  bool opened = false;
  if (!file->IsMemFile() && !file->IsOpen()) {
    if (!file->Open(file->GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) {
      geoproj::ShowStatusF("Kan inte skapa %s !", file->GetFilePath().c_str());
      return -1;
    }
    opened = true;
  }
  WriteFile(*file);
  if (opened) file->Close();
  return 0;
}

// The pipe format's lines 7 and 8 carry the borehole's direction and inclination; they are
// written here too, or a piezometer, which has no other file, would lose them on every save.
void CBorviGvrPz::WriteFile(CStdioFileMem& file) {
  // The kind line holds the GUID up to a stray zero byte read into it.
  guid = guid.substr(0, guid.find('\0'));
  if (guid.size() < 36) guid = geoproj::NewUuidText();
  geoproj::gvr::WriteHeaderNumbers(file, *snd);
  // A file without a kind was read here as a piezometer; written without one, its kind line
  // would begin with a blank and its first number would be read as the kind.
  if (!typ[0]) geoproj::CopyField(typ, "PZ");
  file.WriteString(geoproj::gvr::KindLine(typ, nummer1, nummer2, guid));
  file.WriteString(Format("%f %d\n", static_cast<double>(varde1), snd->riktning));
  file.WriteString(Format("%f %lf\n", static_cast<double>(varde2), snd->lutning));
  file.WriteString(Format("%f\n", static_cast<double>(varde3)));
  file.WriteString(Format("%s\n", geoproj::gvr::AtLineStart(geoproj::FieldText(snd->datum)).c_str()));
  geoproj::gvr::WriteComments(file, kommentar);
  file.WriteString("*\n");
  if (Home() == 0) {
    do {
      const pzrortype& r = *pael;
      file.WriteString(Format("%s %d %.3f %ld %.3f %s\n",
                              geoproj::gvr::AtLineStart(geoproj::FieldText(r.falt1)).c_str(),
                              r.falt2, static_cast<double>(r.falt3), static_cast<long>(r.falt4),
                              static_cast<double>(r.falt5), geoproj::FieldText(r.falt6).c_str()));
    } while ((*this)++);
  }
  file.WriteString("*\n");
  // What was written is what the file now holds: the record computed next must say so.
  if (geoproj::gvr::WriteGuidSection(file, *snd)) {
    geoproj::CopyField(guidmark, "99");
    guidtext = snd->guid;
  }
}

int CBorviGvrPz::GvrStat(bhbit* bits) {
  geoproj::gvr::SetKindBits(bits, geoproj::FieldText(typ), geoproj::FieldText(guidmark) == "99");
  return 0;
}

int CBorviGvrPz::ReadPoreKal() {
  if (porekal) return 0;
  porekal = new CPoreKalFil;
  return porekal->Init(snd->projpath, ini);
}
