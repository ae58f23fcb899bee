// CHellarBv: reading and writing an outcrop's ".LAD" file and its line-database record.
#include <geoproj/lines/hellar_bv.h>

#include <algorithm>
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

namespace {

constexpr std::size_t kPointText = 4;      // 3 characters
constexpr std::size_t kSubObjectText = 19;  // 18 characters
constexpr double kNoBox = 9.99e9;

bool StartsStar(const std::string& line) { return !line.empty() && line[0] == '*'; }

std::vector<char> WordBuffer(const std::string& line) { return std::vector<char>(line.size() + 1, '\0'); }

// The eight values of a sub-object stand in its line in the order 5, 6, 3, 4, 1, 2, 7, 8.
constexpr int kValueOrder[8] = {4, 5, 2, 3, 0, 1, 6, 7};

}  // namespace

CHellarBv::CHellarBv(CProjPath* proj, const char* name) : m_proj(proj), m_filnamn(name ? name : "") {}

CHellarBv::~CHellarBv() { FreePoints(); }

void CHellarBv::FreePoints() {
  for (node* n = m_forst; n; n = n->next) {
    delete n->rec.punkter;
    n->rec.punkter = nullptr;
  }
}

std::string CHellarBv::GetFilePath() const {
  return geoproj::lines::ObjectFilePath(m_proj, m_filnamn, "LAD");
}

void CHellarBv::SetDefaults() {
  std::fill(std::begin(m_trip1), std::end(m_trip1), 0.0);
  std::fill(std::begin(m_trip2), std::end(m_trip2), 0.0);
  m_varde = 0.0;
  const std::int16_t numbers[6] = {0, 0, 0, 0, 90, 4};
  std::copy(std::begin(numbers), std::end(numbers), m_nummer);
  m_koppid[0] = '\0';
  m_text[0] = '\0';
}

int CHellarBv::FirstPoint(double* x, double* y, double* z) {
  CHkolistaBv* outline = m_forst ? m_forst->rec.punkter : nullptr;
  if (!outline || outline->Home() != 0) return -1;
  const kokotype* p = outline->Get_aktel();
  if (x) *x = p->x;
  if (y) *y = p->y;
  if (z) *z = p->z;
  return 0;
}

// --- reading ---

int CHellarBv::Init() {
  m_droppedContent = 0;
  FreePoints();
  while (m_forst) {
    Home();
    list0<helltype>::Delete();
  }
  SetDefaults();
  Ny(1, nullptr);
  const std::string path = GetFilePath();
  CStdioFileMem file;
  file.SetFilePath(path);
  if (!geoproj::FileExists(path) || !file.Open(path, CStdioFileMem::modeRead)) return -1;
  if (ReadHeader(file) && ReadPoints(file, &m_forst->rec)) {
    while (ReadSubObject(file)) {
    }
    geoproj::ReportLinesLeft(file);
  }
  m_droppedContent = file.GetDroppedCount();
  file.Close();
  return 0;
}

// Lines up to the first "*" line are skipped; the header's lines follow up to the next one.
// False when the file ends first.
bool CHellarBv::ReadHeader(CStdioFileMem& file) {
  std::string line;
  bool started = false;
  while (!started && file.ReadString(line)) {
    started = StartsStar(line);
    if (!started) geoproj::CheckReadLine(file, line, geoproj::CountWords(line) == 0, "line before the header");
  }
  for (int index = 1; file.ReadString(line); ++index) {
    geoproj::DosToWin(line);
    if (StartsStar(line)) return true;
    ReadHeaderLine(file, index, line);
  }
  return false;
}

void CHellarBv::ReadHeaderLine(CStdioFileMem& file, int index, const std::string& line) {
  const char* text = line.c_str();
  if (index == 1) return;
  if (index == 2 || index == 3) {
    double* t = index == 2 ? m_trip1 : m_trip2;
    const int n = std::sscanf(text, "%lf %lf %lf", &t[0], &t[1], &t[2]);
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 3), "three values do not parse");
  } else if (index == 4) {
    int n4 = m_nummer[3], n5 = m_nummer[4];
    const int n = std::sscanf(text, "%lf %d %d", &m_varde, &n4, &n5);
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 3), "value and numbers do not parse");
    // Number 5 is written with precision 0: a line without it says 0.
    if (n == 2) n5 = 0;
    m_nummer[3] = static_cast<std::int16_t>(n4);
    m_nummer[4] = static_cast<std::int16_t>(n5);
  } else if (index == 5) {
    int v[4] = {m_nummer[0], m_nummer[1], m_nummer[2], m_nummer[5]};
    const int n = std::sscanf(text, "%d %d %d %d", &v[0], &v[1], &v[2], &v[3]);
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 4), "numbers do not parse");
    for (int i = 0; i < 3; ++i) m_nummer[i] = static_cast<std::int16_t>(v[i]);
    m_nummer[5] = static_cast<std::int16_t>(v[3]);
  } else if (index == 6) {
    geoproj::CheckReadLine(file, line);
    geoproj::CopyField(m_koppid, line);
  } else if (index == 7) {
    geoproj::CheckReadLine(file, line);
    geoproj::CopyField(m_text, line);
  } else {
    geoproj::CheckReadLine(file, line, false, "header line not read");
  }
}

bool CHellarBv::ReadPoints(CStdioFileMem& file, helltype* element) {
  std::string line;
  while (file.ReadString(line)) {
    geoproj::DosToWin(line);
    if (EndsPart(line)) return true;
    kokotype k{};
    std::vector<char> word = WordBuffer(line);
    const int n = std::sscanf(line.c_str(), "%lf %lf %lf %s", &k.x, &k.y, &k.z, word.data());
    if (n < 3) {
      geoproj::CheckReadLine(file, line, false, "point line with fewer than three numbers");
      continue;
    }
    geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 3, 4), "point line not read whole");
    if (n == 4) geoproj::CopyField(k.text, kPointText, word.data());
    if (!element->punkter) element->punkter = new CHkolistaBv;
    element->punkter->Ny(1, &k);
  }
  return false;
}

// Two number lines and a text up to a "*" line, then the points. False when reading ends: the
// sub-object has no lines or the file ends.
bool CHellarBv::ReadSubObject(CStdioFileMem& file) {
  std::string line;
  helltype* element = nullptr;
  int index = 0;
  bool closed = false;
  while (!closed && file.ReadString(line)) {
    geoproj::DosToWin(line);
    closed = StartsStar(line);
    if (closed) break;
    ++index;
    if (index == 1) {
      Ny(1, nullptr);
      element = pael;
      int a = 0, b = 0;
      const int n = std::sscanf(line.c_str(), "%d %d", &a, &b);
      geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 2), "numbers do not parse");
      element->a = static_cast<std::int16_t>(a);
      element->b = static_cast<std::int16_t>(b);
    } else if (index == 2) {
      int v[8] = {};
      const int n = std::sscanf(line.c_str(), "%d %d %d %d %d %d %d %d", &v[0], &v[1], &v[2], &v[3],
                                &v[4], &v[5], &v[6], &v[7]);
      geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 8), "values do not parse");
      for (int i = 0; i < 8; ++i) element->v[kValueOrder[i]] = static_cast<std::int16_t>(v[i]);
    } else if (index == 3) {
      geoproj::CheckReadLine(file, line);
      geoproj::CopyField(element->text, kSubObjectText, line.c_str());
    } else {
      geoproj::CheckReadLine(file, line, false, "sub-object line not read");
    }
  }
  if (!element || !closed) return false;
  return ReadPoints(file, element);
}

// --- writing ---

int CHellarBv::Save(CKvarBvDbs* db) {
  const std::string path = GetFilePath();
  CStdioFileMem file;
  file.SetFilePath(path);
  if (!file.Open(path, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) {
    geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, "Fil\xF6ppning",
                          "Fel: kan ej \xF6ppna %s", path.c_str());
    return -3;
  }
  using geoproj::Format;
  file.WriteString("**\n");
  file.WriteString(geoproj::lines::CurrentId(db) + "\n");
  file.WriteString(Format("%.3lf %.3lf %.3lf\n", m_trip1[0], m_trip1[1], m_trip1[2]));
  file.WriteString(Format("%.3lf %.3lf %.3lf\n", m_trip2[0], m_trip2[1], m_trip2[2]));
  file.WriteString(Format("%.3lf %hd %.hd\n", m_varde, m_nummer[3], m_nummer[4]));
  file.WriteString(Format("%hd %hd %hd %hd\n", m_nummer[0], m_nummer[1], m_nummer[2], m_nummer[5]));
  file.WriteString(geoproj::FieldText(m_koppid) + "\n");
  file.WriteString(geoproj::FieldText(m_text) + "\n");
  file.WriteString("*\n");
  if (m_forst) WritePoints(file, m_forst->rec);
  file.WriteString("**\n");
  for (node* n = m_forst ? m_forst->next : nullptr; n; n = n->next) WriteSubObject(file, n->rec);
  file.Close();
  return db ? SaveToDbs(db) : 0;
}

void CHellarBv::WritePoints(CStdioFileMem& file, const helltype& element) {
  if (!element.punkter) return;
  CHkolistaBv& points = *element.punkter;
  for (int rc = points.Home(); rc == 0; rc = points++ ? 0 : -1) {
    const kokotype& k = *points.Get_aktel();
    file.WriteString(geoproj::Format("%.3lf %.3lf %.3lf %s\n", k.x, k.y, k.z,
                                     geoproj::FieldText(k.text).c_str()));
  }
}

void CHellarBv::WriteSubObject(CStdioFileMem& file, const helltype& e) {
  file.WriteString(geoproj::Format("%hd %hd\n", e.a, e.b));
  file.WriteString(geoproj::Format("%hd %hd %hd %hd %hd %hd %hd %hd\n", e.v[4], e.v[5], e.v[2],
                                   e.v[3], e.v[0], e.v[1], e.v[6], e.v[7]));
  file.WriteString(geoproj::FieldText(e.text) + "\n");
  file.WriteString("*\n");
  WritePoints(file, e);
  file.WriteString("**\n");
}

// --- the database record ---

int CHellarBv::SaveToDbs(CKvarBvDbs* db) {
  sadbstype* rec = db ? db->Get_aktel() : nullptr;
  if (!rec) return -1;
  double lo[3] = {kNoBox, kNoBox, kNoBox}, hi[3] = {-kNoBox, -kNoBox, -kNoBox};
  CHkolistaBv* outline = m_forst ? m_forst->rec.punkter : nullptr;
  for (int rc = outline ? outline->Home() : -1; rc == 0; rc = (*outline)++ ? 0 : -1) {
    const kokotype& k = *outline->Get_aktel();
    lo[0] = std::min(lo[0], k.x);
    hi[0] = std::max(hi[0], k.x);
    lo[1] = std::min(lo[1], k.y);
    hi[1] = std::max(hi[1], k.y);
    if (k.z != 0.0) {
      lo[2] = std::min(lo[2], k.z);
      hi[2] = std::max(hi[2], k.z);
    }
  }
  if (lo[0] > hi[0]) std::fill(lo, lo + 3, 0.0), std::fill(hi, hi + 3, 0.0);
  if (lo[2] > hi[2]) lo[2] = hi[2] = 0.0;
  rec->x = lo[0];
  rec->y = lo[1];
  rec->z = lo[2];
  rec->dx = hi[0] - lo[0];
  rec->dy = hi[1] - lo[1];
  rec->dz = hi[2] - lo[2];
  std::copy(std::begin(m_trip2), std::end(m_trip2), rec->objv);
  rec->objekt = static_cast<unsigned char>(m_nummer[0] & 0xFF);
  if (m_koppid[0] != '\0' && m_koppid[0] != ' ') {
    geoproj::CopyField(rec->koppid, m_koppid);
    db->Set_mark();
    char id[sizeof m_koppid];
    geoproj::CopyField(id, m_koppid);
    int linked = -1;
    if (db->Findid(1, id) == 0)
      linked = 1;
    else if (db->Findid(6, id) == 0)
      linked = 6;
    db->Goto_mark();
    db->Get_aktel()->kopptyp = static_cast<signed char>(linked);
  }
  const int rc = db->Uppdat(0);
  return rc < 0 ? rc : 0;
}
