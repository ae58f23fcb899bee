// What the line and outcrop targets share: the line-file folder of the scratch project with
// the input as the object's file in it, and a line database with a record for the object.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/files.h>

#include "fuzz_support.h"
#include "lines/kvar_texts.h"

namespace geoproj::fuzz {

// A fresh scratch project whose line-file folder holds the bytes as NAME.ext; its path.
inline std::string FreshObjectFile(const std::uint8_t* data, std::size_t size, const char* ext) {
  geoproj::lines::g_stopPauseMs = 0;
  Scratch& scratch = Scratch::Get();
  scratch.Fresh();
  const std::string dir = scratch.file(CProjPath::BorvDbfKat);
  ::mkdir(dir.c_str(), 0755);
  const std::string path = JoinPath(dir, std::string("NAME.") + ext);
  WriteFile(path, data, size);
  return path;
}

// A new line database of the scratch project with one current record of the type, not yet
// written.
inline void NewDatabaseWithRecord(CKvarBvDbs& db, int type) {
  db.Init(0, 1);
  sadbstype rec{};
  rec.typ = static_cast<unsigned char>(type);
  CopyField(rec.id, "NAME");
  CopyField(rec.fil, "NAME");
  db.Ny(1, &rec);
}

}  // namespace geoproj::fuzz
