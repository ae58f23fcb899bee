// A project with its line-file folder and a line database, for the line and outcrop objects.
#pragma once

#include <sys/stat.h>

#include <string>

#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/files.h>

#include "lines/kvar_test_util.h"
#include "lines/kvar_texts.h"

namespace kvartest {

// Text with each LF as CR LF, as the files are on disk.
inline std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class LineProject : public ::testing::Test {
 protected:
  void SetUp() override {
    geoproj::lines::g_stopPauseMs = 0;
    ASSERT_EQ(::mkdir(p.dir.file(CProjPath::BorvDbfKat).c_str(), 0755), 0);
    ASSERT_EQ(db.Init(0, 1), 0);
  }
  void TearDown() override { geoproj::lines::g_stopPauseMs = 300; }

  std::string ObjectFile(const std::string& name) const {
    return geoproj::JoinPath(CProjPath::BorvDbfKat, name);
  }
  void WriteObject(const std::string& name, const std::string& text) const {
    p.dir.write(ObjectFile(name), Crlf(text));
  }
  std::string ReadObject(const std::string& name) const { return p.dir.read(ObjectFile(name)); }
  // A new current record of the database for an object, as the restore adds it.
  void AddRecord(int type, const char* id) {
    const sadbstype r = Record(type, id);
    db.Ny(1, &r);
  }

  Project p;
  CKvarBvDbs db{&p.path, nullptr};
};

}  // namespace kvartest
