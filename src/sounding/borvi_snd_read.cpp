// CBorviSnd: reading a borehole (ID.SND section by section, then the separate files).
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/guid_line.h"
#include "foundation/quick_print.h"
#include "foundation/read_check.h"
#include "geoproj/database/borvi_dbs.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/borvi_gvr.h"
#include "geoproj/methods/borvi_cpt.h"
#include "geoproj/methods/borvi_prv.h"
#include "geoproj/methods/borvi_mil.h"
#include "geoproj/methods/borvi_tlk.h"
#include "geoproj/methods/borvi_vb.h"
#include "geoproj/methods/karnborr.h"
#include "geoproj/methods/vatten_f.h"
#include "geoproj/platform/date_time.h"
#include "geoproj/platform/directory_snapshot.h"
#include "geoproj/platform/files.h"
#include "geoproj/sounding/borvi_dpt.h"
#include "geoproj/sounding/borvi_dreie.h"
#include "geoproj/sounding/borvi_dtrykk.h"
#include "geoproj/sounding/borvi_enkel.h"
#include "geoproj/sounding/borvi_fjell.h"
#include "geoproj/sounding/borvi_ram.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/borvi_total.h"
#include "sounding/code_table_scope.h"

namespace {

bool StartsSection(const std::string& line) { return !line.empty() && line[0] == '*'; }

// A header line that holds a value: present, not empty, not a section line.
bool HoldsValue(const std::string& line) { return !line.empty() && line[0] != '*'; }

// The header holds four comment lines, and the GUID section three further lines; the format
// reads no more.
constexpr int kCommentLines = 4;
constexpr int kGuidLines = 3;

// Names used in the status text when a block's object cannot be created.
const char* BlockName(int code) {
  switch (code) {
    case 21: return "Dreie";
    case 24: return "Ram";
    case 25: return "Totalsondering";
    case 26: return "Fjellsondering";
    case 23: return "Dreietrykksondering";
    case 22: return "Enkelsondering";
    case 7: return "CPT";
    case 35: return "DPT";
    case 13: return "K\xE4rnborr";
    case 14: return "Vattenf\xF6rlustm\xE4tning";
    default: return nullptr;
  }
}

// The separate files, in reading order, with the kind each one makes the borehole.
struct SeparateFile {
  int code;
  const char* name;
  int kind;  // 0: the kind is left as it is
  CStdioFileMem CBorviSnd::*file;
};

const SeparateFile kSeparateFiles[] = {
    {60, "TLK", 0, &CBorviSnd::tlkfil},
    {40, "PRV", CBorviSnd::Bh, &CBorviSnd::prvfil},
    {45, "MIL", CBorviSnd::Bh, &CBorviSnd::milfil},
    {20, "VB", CBorviSnd::Vb, &CBorviSnd::vbfil},
    {50, "GVR", CBorviSnd::Gvr, &CBorviSnd::gvrfil},
};

const int* KindStatic(int kind) {
  switch (kind) {
    case CBorviSnd::Bh: return &CBorviSnd::Bh;
    case CBorviSnd::Vb: return &CBorviSnd::Vb;
    case CBorviSnd::Gvr: return &CBorviSnd::Gvr;
    default: return nullptr;
  }
}

// Reads the block that follows the code line into a freshly created object.
template <class T>
void InitBlock(T* block, CStdioFileMem* file, const char* datum) {
  block->Init(file, datum);
}

// A cone penetration block without even its header line holds nothing and is dropped. What its
// presentation file beside ID.SND could not take counts with the borehole's files.
void InitCpt(CBorviSnd& snd) {
  if (snd.cpt->Init(&snd.sndfil, snd.datum) != 0) {
    delete snd.cpt;
    snd.cpt = nullptr;
    return;
  }
  snd.m_droppedContent += snd.cpt->presentation.m_droppedContent;
}

// Embedded boreholes read their sample file as a file of its own. A sample set that does not
// read is dropped; the borehole takes its date when it has none of its own.
void InitSamples(CBorviSnd& snd) {
  if (snd.samlagring) snd.prv->inbaddad = 0;
  const int read = snd.prv->Init(&snd.prvfil, snd.id, nullptr);
  snd.m_droppedContent += snd.prv->m_droppedContent + geoproj::ReportLinesLeft(snd.prvfil);
  if (read != 0) {
    delete snd.prv;
    snd.prv = nullptr;
    return;
  }
  if (snd.samlagring) snd.prv->inbaddad = 1;
  if (!snd.datum[0]) geoproj::CopyField(snd.datum, geoproj::FieldText(snd.prv->datum));
}

}  // namespace

// The lines of the header, read up to its first "*" line. A "*" among the six numbered lines
// starts the sections early: the lines after it are read again as sections and judged there,
// so the header reports nothing from that line on.
class CBorviSnd::HeaderLines {
 public:
  explicit HeaderLines(CStdioFileMem& file) : file_(file) {}

  bool Next(std::string& line) {
    if (!file_.ReadString(line)) return false;
    if (StartsSection(line)) judged_ = false;
    return true;
  }

  void Check(const std::string& line, bool parsed, const char* why) {
    if (judged_) geoproj::CheckReadLine(file_, line, parsed, why);
  }

 private:
  CStdioFileMem& file_;
  bool judged_ = true;
};

int CBorviSnd::Init(const char* idText, const std::string& path) {
  return Init(idText, path.empty() ? nullptr : path.c_str());
}

int CBorviSnd::Init(const char* idText, const char* path) {
  const geoproj::CodeTableScope codeTable;
  CBorviDbs::LocaleCheckAndFix();
  SetFilePath(idText, path);
  geoproj::CopyField(id, idText ? idText : "");
  orgnamn[0] = '\0';
  m_unknownSections.clear();
  m_droppedContent = 0;
  // The borehole's files are looked for as the directory stood when the first was looked up.
  const geoproj::DirectorySnapshot snapshot;
  ReadSnd(ReadFileDates());
  const int result = ReadSeparateFiles();
  CloseFiles();
  SetSndBhstat();
  return result;
}

bool CBorviSnd::ReadFileDates() {
  skapad[0] = '\0';
  andrad[0] = '\0';
  geoproj::FileStat st;
  if (!geoproj::StatFile(sndfil.GetFilePath(), &st) || !st.regular) return false;
  geoproj::CopyField(skapad, geoproj::FormatDate(geoproj::LocalFromTime(st.created)));
  geoproj::CopyField(andrad, geoproj::FormatDate(geoproj::LocalFromTime(st.modified)));
  return true;
}

void CBorviSnd::ReadSnd(bool present) {
  const std::string path = sndfil.GetFilePath();
  if (!present || !sndfil.Open(path, CStdioFileMem::modeRead)) return;
  typ = &Bh;
  ReadHeader();
  ReadSections();
  m_droppedContent += sndfil.GetDroppedCount();
}

void CBorviSnd::ReadHeader() {
  HeaderLines lines(sndfil);
  std::string line;
  bool more = true;
  for (double& value : hvarde) {
    more = more && lines.Next(line);
    if (!more || !HoldsValue(line)) continue;
    const int read = geoproj::ScanLine(line.c_str(), "%lf", &value);
    lines.Check(line, geoproj::ScanTookAll(line, read, 0, 1), "not a number");
  }
  const bool sixth = more && lines.Next(line);
  if (!sixth || !HoldsValue(line)) {
    lutning = 90.0;
    startdjup = 0.0f;
    riktning = 0;
    // After an empty sixth line the format reads no comment lines.
    if (sixth && line.empty()) ReadComments(lines, kCommentLines);
    return;
  }
  const int read = geoproj::ScanLine(line.c_str(), "%f %d %lf", &startdjup, &riktning, &lutning);
  lines.Check(line, geoproj::ScanTookAll(line, read, 0, 3),
              "start depth, direction and inclination do not parse");
  if (read < 3) {
    lutning = 90.0;
    riktning = 0;
  }
  ReadComments(lines, 0);
}

// Counts the lines from first on; those before kCommentLines become the comment lines.
void CBorviSnd::ReadComments(HeaderLines& lines, int first) {
  std::string line;
  for (int i = first; lines.Next(line) && !StartsSection(line); ++i) {
    if (line.empty()) continue;
    lines.Check(line, i < kCommentLines, "line after the four comment lines not read");
    if (i >= kCommentLines) continue;
    geoproj::DosToWin(line);
    kommentar[i] = line;
  }
}

void CBorviSnd::ReadSections() {
  sndfil.SeekToBegin();
  std::string line;
  while (sndfil.ReadString(line) && !StartsSection(line)) {
  }
  while (sndfil.ReadString(line)) ReadSection(line);
}

// One section from its code line on; it consumes the section's lines up to and including the
// "*" line that ends it, so that the next line read is the next code line.
void CBorviSnd::ReadSection(std::string& line) {
  const std::string asRead = line;
  geoproj::DosToWin(line);
  // A doubled separator or an empty line between sections holds no section.
  if (line.empty() || StartsSection(line)) return;
  int code = 0;
  if (geoproj::ScanLine(line.c_str(), "%d", &code) != 1) {
    // Without a code the section cannot be told from another; never take the previous code.
    metod = -1;
    geoproj::ShowStatusF("Ok\xE4nd metodkod (%d) f\xF6r Id: %s", metod, id);
    KeepSection(asRead);
    return;
  }
  metod = code;
  SetBlockDate(line, code);
  switch (code) {
    case 97: SkipSection(); break;
    case 98: break;
    case 99: ReadGuidSection(line); break;
    case 107:
      if (cpt && !cpt->header.m_inlast) {
        geoproj::CheckReadLine(sndfil, line);
        cpt->header.Init(&sndfil);
        cpt->header.m_inlast = true;
        break;
      }
      // A test has one settings block, the first after it. A further one is kept as it stands:
      // taken into the settings, it would change them, and the file, at every save.
      if (!cpt)
        geoproj::ShowStatusF("Kan inte skapa klassinformation f\xF6r CPTHeader (Id=%s)", id);
      KeepSection(asRead);
      break;
    default:
      if (BlockName(code))
        ReadBlock(asRead, line, code);
      else {
        geoproj::ShowStatusF("Ok\xE4nd metodkod (%d) f\xF6r Id: %s", code, id);
        KeepSection(asRead);
      }
  }
}

void CBorviSnd::SkipSection() {
  std::string line;
  while (sndfil.ReadString(line) && !StartsSection(line)) {
  }
}

// The section's lines up to the next "*" line, exactly as they were. A text line ends at a
// zero byte: what follows one cannot be written back and is reported. A section is written
// back beginning with a line that holds something, since an empty line after "*" starts none.
void CBorviSnd::KeepSection(const std::string& codeLine) {
  const auto keep = [this](const std::string& line) {
    return geoproj::KeptUpToZeroByte(sndfil, line);
  };
  std::string section;
  const auto add = [&section](const std::string& kept) {
    if (!section.empty() || !kept.empty()) section += kept + "\n";
  };
  const std::string code = keep(codeLine);
  add(code);
  std::string line;
  while (sndfil.ReadString(line) && !StartsSection(line)) add(keep(line));
  // A code line lost whole to a zero byte would leave the section's next line to be read as its
  // code line, and the section would mean something else at every save: it is not kept.
  if (code.empty() && !section.empty()) {
    sndfil.ReportDropped("section without a readable code line not kept");
    return;
  }
  if (!section.empty()) m_unknownSections.push_back(std::move(section));
}

void CBorviSnd::SetBlockDate(const std::string& codeLine, int code) {
  std::size_t skip = 0;
  if (code >= 0 && code <= 9)
    skip = 2;
  else if (code >= -9 && code <= 96 && code != 40 && code != 45 && code != 60)
    skip = 3;
  if (skip) geoproj::CopyField(datum, 11, codeLine.size() > skip ? codeLine.c_str() + skip : "");
  int year = 0, month = 0, day = 0;
  if (std::sscanf(datum, "%d%*c%d%*c%d", &year, &month, &day) == 3 && year >= 1801 &&
      year <= 2099) {
    geoproj::CopyField(datum, 11, geoproj::FormatDate({year, month, day}).c_str());
  }
}

// A block whose object cannot be created is kept whole: its data lines are no code lines.
void CBorviSnd::ReadBlock(const std::string& asRead, const std::string& codeLine, int code) {
  if (!New(code)) {
    geoproj::ShowStatusF("Kan inte skapa klassinformation f\xF6r %s (Id=%s)", BlockName(code), id);
    KeepSection(asRead);
    return;
  }
  geoproj::CheckReadLine(sndfil, codeLine);
  switch (code) {
    case 21: InitBlock(dreie, &sndfil, datum); break;
    case 22: InitBlock(enkel, &sndfil, datum); break;
    case 23: InitBlock(dtrykk, &sndfil, datum); break;
    case 24: InitBlock(ram, &sndfil, datum); break;
    case 25: InitBlock(total, &sndfil, datum); break;
    case 26: InitBlock(fjell, &sndfil, datum); break;
    case 35: InitBlock(dpt, &sndfil, datum); break;
    case 7: InitCpt(*this); break;
    case 13: InitBlock(karnborr, &sndfil, datum); break;
    case 14: InitBlock(vattenf, &sndfil, datum); break;
    default: break;
  }
}

// The GUID line: the origin name (its first word) and, after it and one separator, the GUID.
void CBorviSnd::ReadGuidSection(const std::string& codeLine) {
  geoproj::CheckReadLine(sndfil, codeLine);
  std::string line;
  if (!sndfil.ReadString(line)) return MissingOrigin();
  geoproj::DosToWin(line);
  // A "*" in place of the GUID line already ends the section.
  if (StartsSection(line)) return MissingOrigin();
  geoproj::CheckReadLine(sndfil, line);
  std::string word, text;
  if (geoproj::SplitGuidLine(line, &word, &text)) {
    geoproj::CopyField(orgnamn, word);
    guid = text;
  } else {
    MissingOrigin();
  }
  ReadGuidLines();
}

void CBorviSnd::MissingOrigin() {
  geoproj::ShowStatusF("Originalnamnet saknas (id=%s)!", id);
  geoproj::CopyField(orgnamn, id);
}

// The lines after the GUID line are kept as they were read, without conversion.
void CBorviSnd::ReadGuidLines() {
  std::string line;
  for (int i = 0; sndfil.ReadString(line) && !StartsSection(line); ++i) {
    if (line.empty()) continue;
    geoproj::CheckReadLine(sndfil, line, i < kGuidLines,
                           "line after the three GUID lines not read");
    if (i < kGuidLines) guidrader[i] = line;
  }
}

int CBorviSnd::HasSeparateObject(int code) const {
  switch (code) {
    case 60: return tlk != nullptr;
    case 40: return prv != nullptr;
    case 45: return mil != nullptr;
    case 20: return vb != nullptr;
    case 50: return gvr != nullptr;
    default: return 0;
  }
}

int CBorviSnd::ReadSeparateFiles() {
  for (const SeparateFile& sep : kSeparateFiles) {
    CStdioFileMem& file = this->*sep.file;
    // Names are matched without regard to case through the project directory's index, which
    // is read once, however many boreholes lack a separate file.
    if (!geoproj::FileExists(file.GetFilePath()) || HasSeparateObject(sep.code)) continue;
    if (sep.kind) typ = KindStatic(sep.kind);
    if (!New(sep.code)) {
      geoproj::ShowStatusF("Kan inte skapa klassinformation f\xF6r %s (Id=%s)", sep.name, id);
      return -1;
    }
    InitSeparate(sep.code);
  }
  return 0;
}

// Reads a separate file into its new object; an object that reports a read error is dropped,
// what it could not take is counted all the same. The file holds that one block: what follows
// its end line would be lost on writing.
void CBorviSnd::InitSeparate(int code) {
  if (code == 40) return InitSamples(*this);
  if (code == 50) return InitGroundwater();
  if (code == 45) return InitEnvironmental();
  if (code == 20) return InitVane();
  if (code != 60) return;
  const int read = tlk->Init(&tlkfil, id, nullptr);
  m_droppedContent += tlk->m_droppedContent + geoproj::ReportLinesLeft(tlkfil);
  if (read != 0) {
    delete tlk;
    tlk = nullptr;
  }
}

// The block date is the date of the last reading. A pipe file that could not be read is
// dropped; saving the borehole would then write a sounding file in its place, so the loss is
// counted like any other.
void CBorviSnd::InitGroundwater() {
  const int read = gvr->Init(&gvrfil, id);
  m_droppedContent += gvr->m_droppedContent;
  if (gvr->End() == 0) geoproj::CopyField(datum, 11, gvr->Get_aktel()->datum);
  if (read != 0) {
    gvrfil.ReportDropped("groundwater file not read");
    ++m_droppedContent;
    delete gvr;
    gvr = nullptr;
  }
}

void CBorviSnd::InitEnvironmental() {
  const int read = mil->Init(&milfil, id, nullptr);
  m_droppedContent += mil->m_droppedContent + geoproj::ReportLinesLeft(milfil);
  if (read != 0) {
    delete mil;
    mil = nullptr;
    return;
  }
  if (!datum[0]) geoproj::CopyField(datum, geoproj::FieldText(mil->datum));
}

void CBorviSnd::InitVane() {
  const int read = vb->Init(&vbfil, id);
  m_droppedContent += vb->m_droppedContent + geoproj::ReportLinesLeft(vbfil);
  if (read != 0) {
    delete vb;
    vb = nullptr;
  }
}

void CBorviSnd::CloseFiles() {
  for (int i = 0; i < 7; ++i) {
    CStdioFileMem* file = Files(i);
    if (file->IsOpen()) file->Close();
  }
}
