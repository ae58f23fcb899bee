// A project of real sounding files for the evaluation scans: boreholes written from the file
// formats, their database records computed from those files, and a scan record to fill.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/reports/projekt_metod_lista.h>
#include <geoproj/reports/utv_dbs.h>
#include <geoproj/sounding/borvi_snd.h>

#include "support/status_log.h"
#include "support/temp_dir.h"

namespace geoproj::test {

struct Step {
  double depth;
  long value;
};

inline std::string Numbers(const char* format, double a, long b) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

inline std::string Padded(std::string numbers, std::size_t column) {
  if (numbers.size() < column) numbers.append(column - numbers.size(), ' ');
  return numbers + "\n";
}

// The header of ID.SND: position, level, start depth, and the 97 and GUID sections.
inline std::string SndHeader(double x, double y, double z, double start = 0.0,
                             double sek = 9999999.9, double avst = 0.0) {
  char text[256];
  std::snprintf(text, sizeof text, "%f\n%f\n%f\n%f\n%f\n%f 0 90.000000\n", x, y, z, sek, avst,
                start);
  return std::string(text) + "*\n97\n40 0\n*\n99\nGUID 6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b\n";
}

// A weight-sounding (21), simple (22), rotary-pressure (23) or rock (26) block: code line,
// header line with the stop code, one line per step.
inline std::string ValueBlock(int code, const std::string& date, int stop,
                              std::initializer_list<Step> steps) {
  std::string block = "*\n" + std::to_string(code) + " " + date + "\n1.000000 " +
                      std::to_string(stop) + " 0 0 1 0 x\n";
  const std::size_t column = code == 23 ? 15 : 22;
  for (const Step& s : steps)
    block += Padded(Numbers(code == 21 ? "%7.3f %4ld 25" : "%7.3f %4ld", s.depth, s.value), column);
  return block;
}

// A ram block (24): both readings per step.
inline std::string RamBlock(const std::string& date, std::initializer_list<Step> steps) {
  std::string block = "*\n24 " + date + "\n0.000000 91 0 0 1 0 ram\n";
  for (const Step& s : steps) block += Padded(Numbers("%7.3f %ld 0", s.depth, s.value), 22);
  return block;
}

// A cone penetration test (7) with one line per depth.
inline std::string CptBlock(const std::string& date, std::initializer_list<double> depths) {
  std::string block = "*\n7 " + date + "\n1.000000 93 0 0 1 0 x\n";
  for (double d : depths) block += Padded(Numbers("%7.3f %6ld     35      7  ", d, 1200), 30);
  return block;
}

// An interpretation file: layers as (old word, material index, level).
struct Layer {
  const char* word;
  int index;
  double level;
};
inline std::string TlkFile(std::initializer_list<Layer> layers) {
  std::string text;
  for (const Layer& l : layers) {
    char level[32];
    std::snprintf(level, sizeof level, "  %7.4f \n", l.level);
    text += std::string(l.word) + " " + std::to_string(l.index) + " 2 2\n" + level +
            "  0.00   0.00   0.00   0.00   0.00   0.00\n";
  }
  return text + "*\n";
}

inline std::string CrLfText(const std::string& lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() {
    proj.SetPath(dir.path().c_str());
    Period("01.01.2019", "31.12.2019");
    scan.sondering = 1;
  }
  ~ScanTest() override { DeleteScanLists(&scan); }

  void Period(const char* from, const char* to) {
    CopyField(scan.frandatum, from);
    CopyField(scan.tilldatum, to);
  }

  // Writes ID.SND (and ID.TLK when given) and enters the record the files give.
  void Borehole(const char* id, const std::string& snd, const std::string& tlk = "") {
    dir.write(std::string(id) + ".SND", CrLfText(snd));
    if (!tlk.empty()) dir.write(std::string(id) + ".TLK", CrLfText(tlk));
    Enter(id);
  }

  void Enter(const char* id) {
    CBorviSnd reader(&proj, nullptr);
    reader.Init(id, nullptr);
    bhdbstype rec{};
    CopyField(rec.id, id);
    reader.Snd2Bhbit(&rec);
    db.Ny(1, &rec);
  }

  int Scan() {
    EXPECT_EQ(utv.MetodScan(&db, &scan), 0);
    return utv.SondScan(&db, &scan);
  }

  CProjektMetodLista* List(ScanMetod m) { return scan.metod[m].lista; }
  int Rows(CProjektMetodLista* list) {
    int n = 0;
    if (list) list->Where(&n);
    return n;
  }
  const metlisttype& Row(CProjektMetodLista* list, int at = 1) {
    list->Home();
    for (int i = 1; i < at; ++i) (*list)++;
    return *list->Get_aktel();
  }

  TempDir dir;
  StatusLog status;
  CProjPath proj;
  CBorviDbs db;
  CUtvDbs utv{&proj, nullptr};
  metscantype scan{};
};

}  // namespace geoproj::test
