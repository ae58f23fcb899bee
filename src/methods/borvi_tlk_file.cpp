// CBorviTlk: reading and writing the interpretation, as the separate file ID.TLK or as a block
// inside a file the caller passes.
#include <geoproj/methods/borvi_tlk.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/date_time.h>
#include <geoproj/platform/files.h>

#include "foundation/read_check.h"

namespace {

// The comment of a layer line starts at this column, behind the padded name and codes.
constexpr size_t kKommentarColumn = 25;
// The free text of a level line starts behind the nine-character level and one blank.
constexpr size_t kNivatextColumn = 10;

const char kEmbeddedRefused[] = "Internt fel: Samlagring ej till\xE5ten !";

std::string FileDate(const geoproj::DateTime& t) {
  return geoproj::Format("%4d-%02d-%02d", t.year, t.month, t.day);
}

// Scans a layer line as "%s %d %d %d %s" would, the two words cut to their fields. Returns the
// number of fields read.
int ScanLayerLine(const std::string& line, matetype* m) {
  std::vector<char> name(line.size() + 1), fifth(line.size() + 1);
  int n = std::sscanf(line.c_str(), "%s %d %d %d %s", name.data(), &m->index, &m->nivakod,
                      &m->nivakalla, fifth.data());
  if (n >= 1) geoproj::CopyField(m->namn, name.data());
  if (n >= 5) geoproj::CopyField(m->kommentar, fifth.data());
  return n;
}

// A layer without a name is written with a blank where the name stands (" 0 1 2"); a line
// that begins with a blank and holds three codes and nothing else before the comment column is
// read that way, not with the first code taken for the name. Returns 4, or 0 for another line.
int ScanUnnamedLayer(const std::string& line, matetype* m) {
  if (line.empty() || line[0] != ' ') return 0;
  int index = 0, nivakod = 0, nivakalla = 0, end = 0;
  if (std::sscanf(line.c_str(), "%d %d %d%n", &index, &nivakod, &nivakalla, &end) != 3) return 0;
  const size_t rest = line.find_first_not_of(' ', static_cast<size_t>(end));
  if (rest != std::string::npos && rest < kKommentarColumn) return 0;
  m->namn[0] = '\0';
  m->index = index;
  m->nivakod = nivakod;
  m->nivakalla = nivakalla;
  return 4;
}

// False when a word stood where a code must be: the codes after it are lost.
bool ParseLayerLine(const CBorviTlk& tlk, const std::string& line, matetype* m) {
  int n = ScanUnnamedLayer(line, m);
  if (n == 0) n = ScanLayerLine(line, m);
  if (n < 2) {
    // Old files carry the material word alone.
    m->index = tlk.OldtextToIndex(m->namn);
    m->nivakod = 0;
    m->nivakalla = 0;
  } else if (n > 2 && line.size() > kKommentarColumn) {
    geoproj::CopyField(m->kommentar, line.c_str() + kKommentarColumn);
  }
  // A line with an old word and no material index takes the word's index now rather than at
  // the next write, which would keep the word as spelled and leave the canonical spelling to
  // the write after it.
  if (n >= 2 && m->index < 1) m->index = tlk.OldtextToIndex(m->namn);
  if (m->nivakod < 0) m->nivakod = 0;
  if (m->nivakod > 5) m->nivakod = 5;
  return geoproj::ScanTookAll(line, n, 0, 4);
}

// A level wider than its nine characters (a damaged value written back) pushes the free text
// right: it then starts one blank behind the number, where the writer put it.
bool ParseLevelLine(const std::string& line, matetype* m) {
  int numberEnd = 0;
  const int read = std::sscanf(line.c_str(), "%f%n", &m->niva, &numberEnd);
  const size_t column = std::max(kNivatextColumn, static_cast<size_t>(numberEnd) + 1);
  if (line.size() > column) geoproj::CopyField(m->nivatext, line.c_str() + column);
  return geoproj::ScanTookAll(line, read, 1, 1);
}

// An empty line holds no values; values missing at the end of a line stay 0.
bool ParseValueLine(const std::string& line, matetype* m) {
  if (line.empty()) return true;
  float* v = m->varden;
  const int read =
      std::sscanf(line.c_str(), "%f%f%f%f%f%f", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
  return geoproj::ScanTookAll(line, read, 0, 6);
}

// A name beginning with "*" (read from behind a blank) gets the blank back: at the start of the
// line it would end the block.
std::string LayerLine(const matetype& m) {
  const std::string namn = geoproj::FieldText(m.namn);
  std::string line = geoproj::Format("%s%s %d %d %d", namn.starts_with('*') ? " " : "",
                                     namn.c_str(), m.index, m.nivakod, m.nivakalla);
  const std::string kommentar = geoproj::FieldText(m.kommentar);
  if (!kommentar.empty()) {
    if (line.size() < kKommentarColumn) line.resize(kKommentarColumn, ' ');
    line += kommentar;
    line.erase(line.find_last_not_of(" \t\r\n\v\f") + 1);
  }
  return line + "\n";
}

std::string LevelLines(const matetype& m) {
  const float* v = m.varden;
  return geoproj::Format("%9.4f %s\n%6.2f %6.2f %6.2f %6.2f %6.2f %6.2f\n", m.niva,
                         geoproj::FieldText(m.nivatext).c_str(), v[0], v[1], v[2], v[3], v[4],
                         v[5]);
}

}  // namespace

// Reads lines of one block. A line beginning with "*" ends the block wherever it appears, so
// a damaged block never swallows the section that follows it. What the block cannot take is
// reported as dropped content of the file.
class CBorviTlk::BlockReader {
 public:
  explicit BlockReader(CStdioFileMem* file) : file_(file) {}

  bool Next(std::string& line) {
    if (ended_ || !file_->ReadString(line)) {
      ended_ = true;
      return false;
    }
    geoproj::DosToWin(line);
    if (!line.empty() && line[0] == '*') ended_ = true;
    return !ended_;
  }

  int LineNumber() const { return file_->GetLineNumber(); }
  void Check(const std::string& line, bool parsed, const char* why) {
    geoproj::CheckReadLine(*file_, line, parsed, why);
  }
  void DropAt(int line, const char* why) { file_->ReportDroppedAt(line, why); }

 private:
  CStdioFileMem* file_;
  bool ended_ = false;
};

int CBorviTlk::Init(CStdioFileMem* file, const char* /*id*/, const char* name) {
  std::unique_ptr<CStdioFileMem> own;
  if (!file) {
    if (!name) return -1;
    own = std::make_unique<CStdioFileMem>();
    own->SetFilePath(name);
    file = own.get();
  }
  m_droppedContent = 0;
  const std::string path = file->GetFilePath();
  geoproj::FileStat st;
  if (!geoproj::StatFile(path, &st) || !st.regular) {
    geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, nullptr,
                          "Hittar inte filen\n%s\nAvbryter!", path.c_str());
    return -1;
  }
  geoproj::CopyField(skapad, FileDate(geoproj::LocalFromTime(st.created)));
  geoproj::CopyField(andrad, FileDate(geoproj::LocalFromTime(st.modified)));
  // A file the caller passes unopened is opened here and left open for the caller to close.
  if (!file->IsOpen() && !file->Open(path, CStdioFileMem::modeRead)) {
    geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, nullptr,
                          "Kan inte \xF6ppna filen\n%s\nAvbryter!", path.c_str());
    return -1;
  }
  const int droppedBefore = file->GetDroppedCount();
  const int read = ReadBlock(file);
  // In a file of its own the block is all there is; a caller's file goes on after the block.
  if (own) geoproj::ReportLinesLeft(*file);
  m_droppedContent = file->GetDroppedCount() - droppedBefore;
  if (own) own->Close();
  return read > 0 ? 0 : -1;
}

// Reads lines up to and including a line beginning with "*"; returns the number of layers and
// groundwater levels read.
int CBorviTlk::ReadBlock(CStdioFileMem* file) {
  BlockReader reader(file);
  std::string line;
  int read = 0;
  while (reader.Next(line)) {
    ++read;
    if (geoproj::EqualsNoCase(line, "gvy"))
      ReadGroundwater(reader);
    else
      ReadLayer(reader, line);
  }
  return read;
}

// The keyword line is followed by the level and an empty line.
void CBorviTlk::ReadGroundwater(BlockReader& reader) {
  const int keyword = reader.LineNumber();
  gvyLast = 1;
  std::string line;
  if (!reader.Next(line)) return reader.DropAt(keyword, "groundwater level missing");
  const int read = std::sscanf(line.c_str(), "%f", &gvy);
  reader.Check(line, geoproj::ScanTookAll(line, read, 1, 1), "groundwater level is not a number");
  if (reader.Next(line))
    reader.Check(line, geoproj::CountWords(line) == 0, "line after the groundwater level not read");
}

// A layer line, its level line and its value line, which old files may lack.
void CBorviTlk::ReadLayer(BlockReader& reader, const std::string& layerLine) {
  const int layer = reader.LineNumber();
  Ny(1, nullptr);
  matetype* m = pael;
  reader.Check(layerLine, ParseLayerLine(*this, layerLine, m), "layer line does not parse");
  std::string line;
  if (!reader.Next(line)) return reader.DropAt(layer, "layer without its level line");
  reader.Check(line, ParseLevelLine(line, m), "level is not a number");
  if (reader.Next(line)) reader.Check(line, ParseValueLine(line, m), "values do not parse");
}

int CBorviTlk::Uppdat(CStdioFileMem* file, const char* name) {
  if (samlagring && !file) {
    geoproj::ShowMessage(kEmbeddedRefused, geoproj::kMbOk | geoproj::kMbIconExclamation);
    return -1;
  }
  std::unique_ptr<CStdioFileMem> own;
  if (!file) {
    if (!name) return 0;
    own = std::make_unique<CStdioFileMem>();
    own->SetFilePath(name);
    if (!own->Open(name, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) return 0;
    file = own.get();
  }
  WriteBlock(file);
  if (own) own->Close();
  return 0;
}

void CBorviTlk::WriteBlock(CStdioFileMem* file) {
  if (samlagring) file->WriteString(geoproj::Format("*\n%d\n", Metod));
  if (std::fabs(gvy) > 0.0f) file->WriteString(geoproj::Format("gvy\n%9.4f\n\n", gvy));
  int written = 0;
  if (Home() == 0) {
    do {
      SyncName(pael);
      file->WriteString(LayerLine(*pael));
      file->WriteString(LevelLines(*pael));
      ++written;
    } while ((*this)++);
  }
  if (written > 0 && !samlagring) file->WriteString("*\n");
}

// Brings the old word and the material index of a layer in step before it is written.
void CBorviTlk::SyncName(matetype* m) const {
  if (m->index >= 1) {
    std::string word;
    IndexToOldtext(m->index, word);
    geoproj::CopyField(m->namn, word);
  } else {
    m->index = OldtextToIndex(geoproj::FieldText(m->namn).c_str());
  }
}
