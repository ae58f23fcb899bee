// CLinjeBvData: reading and writing a line's ".LJE" file and its line-database record.
#include <geoproj/lines/linje_bv_data.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/files.h>

#include "foundation/read_check.h"
#include "lines/line_file_text.h"

using geoproj::lines::EndsPart;

const char* const CLinjeBvData::JORDART[12] = {"f  ", "mu ", "gy ", "t  ", "let", "le ",
                                               "si ", "sa ", "gr ", "st ", "fr ", "mn "};

namespace {

constexpr const char* kLayerStop = "Z-mate";
constexpr const char* kFirstLayer = "Berg";

std::string TrimmedRight(const char* text) {
  std::string t = text;
  t.erase(t.find_last_not_of(' ') + 1);
  return t;
}

// A buffer for one word of line: "%s" never writes more than the line holds.
std::vector<char> WordBuffer(const std::string& line) { return std::vector<char>(line.size() + 1, '\0'); }

// The soil code of the number line: a code of the table keeps the blanks that pad it when the
// line holds them, so that the line is written back as it was read.
std::string SoilCodeOf(const std::string& line, const char* word) {
  int at = -1;
  std::sscanf(line.c_str(), "%*d %n", &at);
  const std::string rest = at < 0 ? std::string() : line.substr(static_cast<std::size_t>(at));
  for (const char* code : CLinjeBvData::JORDART)
    if (rest == code) return rest;
  return word;
}

}  // namespace

struct CLinjeBvData::Box {
  bool any = false;
  double min[3] = {};
  double max[3] = {};
  void Take(int axis, double v) {
    min[axis] = std::min(min[axis], v);
    max[axis] = std::max(max[axis], v);
  }
  void Take(const lintype& p) {
    const double v[3] = {p.x, p.y, p.z};
    for (int i = 0; i < 3; ++i) {
      if (!any) min[i] = max[i] = v[i];
      Take(i, v[i]);
    }
    any = true;
  }
};

CLinjeBvData::CLinjeBvData() { geoproj::CopyField(m_lagnamn[0], kFirstLayer); }

CLinjeBvData::CLinjeBvData(CProjPath* proj, const char* name, int metod)
    : m_metod(metod), m_proj(proj), m_filnamn(name ? name : "") {
  if (metod == 0) geoproj::CopyField(m_lagnamn[0], kFirstLayer);
}

std::string CLinjeBvData::GetFilePath() const {
  return geoproj::lines::ObjectFilePath(m_proj, m_filnamn, "LJE");
}

int CLinjeBvData::FirstPoint(double* x, double* y, double* z) {
  if (!m_forst) return -1;
  const lintype& p = m_forst->rec;
  if (x) *x = p.x;
  if (y) *y = p.y;
  if (z) *z = p.z;
  return 0;
}

int CLinjeBvData::JordartIndex() const {
  const std::string code = TrimmedRight(m_jordart);
  for (int i = 0; i < 12; ++i)
    if (TrimmedRight(JORDART[i]) == code) return i;
  return -1;
}

// --- reading ---

// The first line (an identifier of the writer's) is always taken as the first line, even when
// it is empty: the header ends only at an empty or "*" line after it.
int CLinjeBvData::Init(int read_method) {
  m_droppedContent = 0;
  while (m_forst) {
    Home();
    list0<lintype>::Delete();
  }
  const std::string path = GetFilePath();
  CStdioFileMem file;
  file.SetFilePath(path);
  if (!geoproj::FileExists(path) || !file.Open(path, CStdioFileMem::modeRead)) return -1;
  std::string line;
  if (file.ReadString(line)) {
    for (int index = 2; file.ReadString(line); ++index) {
      geoproj::DosToWin(line);
      if (EndsPart(line)) break;
      ReadHeaderLine(file, index, line, read_method);
    }
    ReadPoints(file);
    ReadLayers(file);
  }
  m_droppedContent = file.GetDroppedCount();
  file.Close();
  return 0;
}

void CLinjeBvData::ReadHeaderLine(CStdioFileMem& file, int index, const std::string& line,
                                  int read_method) {
  if (index == 2) {
    if (read_method != 1) return;
    const int n = std::sscanf(line.c_str(), "%d", &m_metod);
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 1), "method is not a number");
  } else if (index == 3) {
    int typ = m_typ, jordart = -1;
    double varde = m_varde;
    const int n = std::sscanf(line.c_str(), "%d%d%lf", &typ, &jordart, &varde);
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 3),
                           "kind, soil and value do not parse");
    m_typ = typ >= KR && typ <= LI ? typ : KR;
    if (jordart >= 0 && jordart <= 11) geoproj::CopyField(m_jordart, JORDART[jordart]);
    m_varde = varde;
  } else if (index == 4) {
    std::vector<char> word = WordBuffer(line);
    const int n = std::sscanf(line.c_str(), "%d %s", &m_nummer, word.data());
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 2),
                           "number and soil code do not parse");
    if (n == 2) geoproj::CopyField(m_jordart, SoilCodeOf(line, word.data()));
  } else {
    geoproj::CheckReadLine(file, line, false, "header line not read");
  }
}

void CLinjeBvData::ReadPoints(CStdioFileMem& file) {
  std::string line;
  while (file.ReadString(line)) {
    geoproj::DosToWin(line);
    if (EndsPart(line)) return;
    lintype p{};
    std::vector<char> word = WordBuffer(line);
    const int n = std::sscanf(line.c_str(), "%lf %lf %lf %lf %s", &p.forst, &p.x, &p.y, &p.z,
                              word.data());
    if (n < 4) {
      geoproj::CheckReadLine(file, line, false, "point line with fewer than four numbers");
      continue;
    }
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 4, 5), "point line not read whole");
    if (n == 5) geoproj::CopyField(p.text, word.data());
    Ny(1, &p);
  }
}

// Each layer: its name, then one line per point from the first point on.
void CLinjeBvData::ReadLayers(CStdioFileMem& file) {
  std::string line;
  for (int layer = 0; layer < 5; ++layer) {
    if (!file.ReadString(line)) return;
    geoproj::DosToWin(line);
    std::vector<char> name = WordBuffer(line);
    const int named = std::sscanf(line.c_str(), "%s", name.data());
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, named, 0, 1), "layer name not read whole");
    geoproj::CopyField(m_lagnamn[layer], named == 1 ? name.data() : "");
    node* point = m_forst;
    while (file.ReadString(line)) {
      geoproj::DosToWin(line);
      if (EndsPart(line)) break;
      if (!point) {
        geoproj::CheckReadLine(file, line, false, "layer value without a point");
        continue;
      }
      std::vector<char> word = WordBuffer(line);
      double value = 0.0;
      const int n = std::sscanf(line.c_str(), "%lf %s", &value, word.data());
      geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 1, 2), "layer value is not a number");
      if (n >= 1) point->rec.lager[layer] = value;
      if (n == 2) geoproj::CopyField(point->rec.lagtext[layer], word.data());
      point = point->next;
    }
  }
  geoproj::ReportLinesLeft(file);
}

// --- writing ---

int CLinjeBvData::Save(CKvarBvDbs* db) {
  const std::string path = GetFilePath();
  CStdioFileMem file;
  file.SetFilePath(path);
  if (!file.Open(path, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) {
    geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, "Fil\xF6ppning",
                          "Fel: Hittar inte %s", path.c_str());
    return -3;
  }
  Box box;
  WriteHeader(file, db);
  WritePoints(file, box);
  WriteLayers(file, box);
  file.Close();
  return db ? UpdateRecord(db, box) : 0;
}

void CLinjeBvData::WriteHeader(CStdioFileMem& file, CKvarBvDbs* db) {
  file.WriteString(geoproj::lines::CurrentId(db) + "\n");
  file.WriteString(geoproj::Format("%d\n", m_metod));
  file.WriteString(geoproj::Format("%d %d %.3f\n", m_typ, JordartIndex(), m_varde));
  file.WriteString(geoproj::Format("%hd %s\n", static_cast<short>(m_nummer), m_jordart));
  file.WriteString("*\n");
}

void CLinjeBvData::WritePoints(CStdioFileMem& file, Box& box) {
  for (node* n = m_forst; n; n = n->next) {
    const lintype& p = n->rec;
    box.Take(p);
    file.WriteString(geoproj::Format("%7.2lf %12.3lf %12.3lf %10.3lf %s\n", p.forst, p.x, p.y, p.z,
                                     geoproj::FieldText(p.text).c_str()));
  }
  file.WriteString("*\n");
}

// Layers up to the first without a name or the one named "Z-mate"; a nameless first layer is
// the rock layer.
void CLinjeBvData::WriteLayers(CStdioFileMem& file, Box& box) {
  for (int layer = 0; layer < 5; ++layer) {
    if (layer == 0 && m_lagnamn[0][0] == '\0') geoproj::CopyField(m_lagnamn[0], kFirstLayer);
    const std::string name = geoproj::FieldText(m_lagnamn[layer]);
    if (name.empty() || name == kLayerStop) return;
    file.WriteString(name + "\n");
    for (node* n = m_forst; n; n = n->next) {
      const double value = n->rec.lager[layer];
      if (std::fabs(value) > 0.001 && box.any) box.Take(2, value);
      file.WriteString(geoproj::Format("%10.3lf %s\n", value,
                                       geoproj::FieldText(n->rec.lagtext[layer]).c_str()));
    }
    file.WriteString("*\n");
  }
}

int CLinjeBvData::UpdateRecord(CKvarBvDbs* db, const Box& box) {
  sadbstype* rec = db->Get_aktel();
  if (!rec) return -1;
  rec->flagg &= static_cast<unsigned char>(~0xC0);
  if (m_metod == 0) rec->flagg |= 0x40;
  if (m_metod == 1) rec->flagg |= 0x80;
  rec->x = box.min[0];
  rec->y = box.min[1];
  rec->z = box.min[2];
  rec->dx = box.max[0] - box.min[0];
  rec->dy = box.max[1] - box.min[1];
  rec->dz = box.max[2] - box.min[2];
  const int rc = db->Uppdat(0);
  return rc < 0 ? rc : 0;
}
