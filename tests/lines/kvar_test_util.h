// Test helpers for the line database: file bytes built from the layout's offsets (never from
// the code under test) and a project directory.
#pragma once

#include <cfloat>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/proj_path.h>

#include "database/dbs_test_util.h"
#include "support/temp_dir.h"

namespace kvartest {

using dbstest::GetF64;
using dbstest::GetI32;
using dbstest::PutF64;
using dbstest::PutI32;
using dbstest::PutText;

constexpr std::size_t kHeader = 324;
constexpr std::size_t kFirst = 600;
constexpr std::size_t kRec = 124;

enum HeaderAt : std::size_t {
  kVer = 0, kNamn = 37, kSkapad = 86, kKoord = 211, kRiktning = 215, kAntal = 220, kAntTyp = 224,
  kAntDel = 260, kXMin = 264, kXMax = 272, kYMin = 280, kYMax = 288, kZMin = 296, kZMax = 304,
  kVerDec = 312, kEndPos = 320
};

inline std::string TodayYmd() {
  std::time_t t = std::time(nullptr);
  std::tm lt{};
  localtime_r(&t, &lt);
  char text[32];
  std::snprintf(text, sizeof text, "%4d-%02d-%02d", lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday);
  return text;
}

struct Obj {
  int typ;
  std::string id;
  std::string fil;
  double x, y, z, dx, dy, dz;
};

// The 124 bytes of a record; the unused bytes 3 and 5..7 carry marks a writer must keep.
inline std::string RecordBytes(const Obj& o) {
  std::string b(kRec, '\0');
  b[0] = static_cast<char>(o.typ);
  b[1] = 7;
  b[2] = static_cast<char>(-1);
  b[3] = 'u';
  b[4] = static_cast<char>(0x40);
  b[5] = 'v';
  b[6] = 'w';
  b[7] = 'x';
  PutF64(b, 8, o.x);
  PutF64(b, 16, o.y);
  PutF64(b, 24, o.z);
  PutF64(b, 32, 1.25);
  PutF64(b, 40, -2.5);
  PutF64(b, 48, 3.75);
  PutF64(b, 56, o.dx);
  PutF64(b, 64, o.dy);
  PutF64(b, 72, o.dz);
  PutText(b, 80, o.id);
  PutText(b, 96, o.fil);
  PutText(b, 105, "LINKED");
  b.resize(kRec, '\0');
  return b;
}

// A header for the records given (counts, box and data end consistent with them).
inline std::string HeaderBytes(const std::vector<Obj>& objs, int deleted = 0,
                               const std::string& ver = "1.5", double verdec = 0.5) {
  std::string b(kHeader, '\0');
  PutText(b, kVer, ver);
  PutText(b, kNamn, "Projekt");
  PutText(b, 73, "text73");
  PutText(b, kSkapad, "2024-05-06");
  PutText(b, kKoord, "RAK");
  PutText(b, kRiktning, "NORR");
  double box[6] = {DBL_MAX, -DBL_MAX, DBL_MAX, -DBL_MAX, DBL_MAX, -DBL_MAX};
  int counts[9] = {};
  for (const Obj& o : objs) {
    if (o.typ >= 1 && o.typ <= 9) ++counts[o.typ - 1];
    box[0] = std::min(box[0], o.x);
    box[1] = std::max(box[1], o.x + o.dx);
    box[2] = std::min(box[2], o.y);
    box[3] = std::max(box[3], o.y + o.dy);
    box[4] = std::min(box[4], o.z);
    box[5] = std::max(box[5], o.z + o.dz);
  }
  PutI32(b, kAntal, static_cast<std::int64_t>(objs.size()));
  for (int i = 0; i < 9; ++i) PutI32(b, kAntTyp + 4 * i, counts[i]);
  PutI32(b, kAntDel, deleted);
  for (int i = 0; i < 6; ++i) PutF64(b, kXMin + 8 * i, box[i]);
  PutF64(b, kVerDec, verdec);
  PutI32(b, kEndPos, static_cast<std::int64_t>(kFirst + kRec * (objs.size() + deleted)));
  return b;
}

// Header, the unused area (with a mark a writer must keep), then the record bytes.
inline std::string FileBytes(std::string header, const std::vector<std::string>& records) {
  header.resize(kFirst, '\0');
  header[400] = 'k';
  for (const auto& r : records) header += r;
  return header;
}

inline std::string FileOf(const std::vector<Obj>& objs) {
  std::vector<std::string> recs;
  for (const Obj& o : objs) recs.push_back(RecordBytes(o));
  return FileBytes(HeaderBytes(objs), recs);
}

// A fresh project directory and its path object.
struct Project {
  geoproj::test::TempDir dir;
  CProjPath path;
  Project() { path.SetPath(dir.path().c_str()); }
  std::string db() const { return dir.file("KVARTOLI.SDBS"); }
  std::string lock() const { return dir.file("KVARTOLI.SDBK"); }
  std::string bytes() const { return dir.read("KVARTOLI.SDBS"); }
  void write(const std::string& bytes) const { dir.write("KVARTOLI.SDBS", bytes); }
};

inline std::vector<std::string> Ids(CKvarBvDbs& db) {
  std::vector<std::string> ids;
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) ids.emplace_back(db.Get_aktel()->id);
  return ids;
}

inline std::vector<int> Offsets(CKvarBvDbs& db) {
  std::vector<int> pos;
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) pos.push_back(db.Get_aktel()->filpos);
  return pos;
}

inline sadbstype Record(int typ, const char* id, double x = 0, double y = 0, double z = 0) {
  sadbstype r{};
  r.typ = static_cast<unsigned char>(typ);
  geoproj::CopyField(r.id, id);
  geoproj::CopyField(r.fil, id);
  r.x = x;
  r.y = y;
  r.z = z;
  r.dx = 10;
  r.dy = 20;
  r.dz = 1;
  return r;
}

inline int Append(CKvarBvDbs& db, const sadbstype& r) {
  db.Ny(1, &r);
  return db.Uppdat(0);
}

}  // namespace kvartest
