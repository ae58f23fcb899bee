// Construction, paths and the lock-file protocol of the line database.
#include <geoproj/lines/kvar_bv_dbs.h>

#include <cfloat>
#include <cmath>
#include <cstring>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/date_time.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

#include "database/dbs_lock.h"
#include "lines/kvar_format.h"
#include "lines/kvar_io.h"
#include "lines/kvar_texts.h"

const char* const CKvarBvDbs::KvarDbsNamn = "KVARTOLI.SDBS";
const char CKvarBvDbs::m_Dbsver[] = "1.5";

namespace {

double VersionValue() { return std::atof(CKvarBvDbs::m_Dbsver); }

// No box yet: every record widens it.
void EmptyBox(kvarhuvtype& h) {
  h.xmin = h.ymin = h.zmin = DBL_MAX;
  h.xmax = h.ymax = h.zmax = -DBL_MAX;
}

void SetVersion(kvarhuvtype& h) {
  geoproj::CopyField(h.ver, CKvarBvDbs::m_Dbsver);
  h.verdec = VersionValue() - std::floor(VersionValue());
}

}  // namespace

CKvarBvDbs::CKvarBvDbs(CProjPath* proj, CBorvIni* ini) : m_proj(proj), m_ini(ini) {
  InitialHeader();
  UseProjectDatabase();
  if (m_proj) m_lockPath = geoproj::JoinPath(m_proj->m_projKat, CProjPath::KvarDbkNamn);
}

CKvarBvDbs::~CKvarBvDbs() {
  if (m_dbsFile || m_lock.held()) Dbs_rw(kDbsClose);
}

// The largest value as the starting largest coordinate: a starting value of the smallest
// positive double would never give way to a negative coordinate.
void CKvarBvDbs::InitialHeader() {
  m_huv = kvarhuvtype{};
  SetVersion(m_huv);
  m_huv.endpos = static_cast<std::int32_t>(geoproj::lines::kKvarFirstRecord);
  EmptyBox(m_huv);
}

void CKvarBvDbs::NewHeader(const char* name) {
  m_huv = kvarhuvtype{};
  if (name && *name) {
    geoproj::CopyField(m_huv.namn, name);
  } else {
    std::string dir, folder;
    geoproj::SplitPath(m_dbsPath.c_str(), &dir, nullptr);
    geoproj::SplitPath(dir.c_str(), nullptr, &folder);
    geoproj::CopyField(m_huv.namn, folder);
  }
  geoproj::CopyField(m_huv.koord, "RAK");
  geoproj::CopyField(m_huv.riktning, "NORR");
  const geoproj::DateTime now = geoproj::LocalNow();
  geoproj::CopyField(m_huv.skapad, geoproj::Format("%4d-%02d-%02d", now.year, now.month, now.day));
  m_huv.endpos = static_cast<std::int32_t>(geoproj::lines::kKvarFirstRecord);
  EmptyBox(m_huv);
  SetVersion(m_huv);
}

// A file of the project directory; without a project, of the database's directory.
std::string CKvarBvDbs::ProjectFile(const char* name) const {
  if (m_proj) return geoproj::JoinPath(m_proj->m_projKat, name);
  std::string dir;
  geoproj::SplitPath(m_dbsPath.c_str(), &dir, nullptr);
  return geoproj::JoinPath(dir, name);
}

void CKvarBvDbs::UseProjectDatabase() {
  if (m_proj) m_dbsPath = geoproj::JoinPath(m_proj->m_projKat, KvarDbsNamn);
}

int CKvarBvDbs::Exist() {
  UseProjectDatabase();
  return geoproj::FileExists(m_dbsPath) ? 1 : 0;
}

int CKvarBvDbs::DbsKoll() { return geoproj::FileExists(ProjectFile(geoproj::lines::kCadMarker)) ? 1 : 0; }

int CKvarBvDbs::BhdNull(kvarbvbhdtype* rec) {
  if (!rec) return 0;
  *rec = kvarbvbhdtype{};
  rec->index1 = -1;
  rec->index2 = -1;
  rec->lutning = 90.0;
  return 0;
}

int CKvarBvDbs::Dbs_rw(int mode) {
  if (mode == kDbsClose) {
    CloseFile();
    ReleaseLock();
    return 0;
  }
  if (mode != kDbsOpen && mode != kDbsCreate) return -1;
  // A file Arkinit left open is opened again under the lock.
  CloseFile();
  m_justCreated = false;
  if (TakeLock() != 0) return -1;
  if (mode == kDbsCreate && !m_readonly) return CreateDbsFile();
  return OpenDbsFile();
}

// A reader of a folder or medium it cannot write to goes on without a lock file.
int CKvarBvDbs::TakeLock() {
  if (m_lockPath.empty()) m_lockPath = ProjectFile(CProjPath::KvarDbkNamn);
  m_lockBusy = m_unlocked = false;
  if (m_lock.held()) return 0;
  const auto got = geoproj::dbs::TakeLockFile(m_lockPath, "", &m_lock);
  if (got == geoproj::dbs::LockTake::kTaken) return 0;
  if (got == geoproj::dbs::LockTake::kBusy) m_lockBusy = true;
  if (got == geoproj::dbs::LockTake::kReadOnly && m_readonly) {
    m_unlocked = true;
    return 0;
  }
  return -1;
}

// Only the lock file this object created is removed; another process's lock is never touched.
void CKvarBvDbs::ReleaseLock() { geoproj::ReleaseLockFile(m_lockPath, &m_lock); }

// Created in one step that fails on an existing file, so that a database another creator made
// meanwhile is never truncated.
int CKvarBvDbs::CreateDbsFile() {
  bool existed = false;
  std::FILE* file = geoproj::CreateNewFile(m_dbsPath, &existed);
  if (existed) {
    geoproj::ShowMessage("Databasen finns redan !", geoproj::kMbOk | geoproj::kMbIconExclamation);
    ReleaseLock();
    return -1;
  }
  m_dbsFile = geoproj::dbs::ExclusiveFile(file);
  if (!m_dbsFile) {
    ReleaseLock();
    return -1;
  }
  m_justCreated = true;
  return 0;
}

int CKvarBvDbs::OpenDbsFile() {
  std::FILE* file = nullptr;
  if (geoproj::FileExists(m_dbsPath)) {
    file = geoproj::OpenFile(m_dbsPath, m_readonly ? "rb" : "r+b");
    if (!m_readonly) file = geoproj::dbs::ExclusiveFile(file);
  }
  if (!file) {
    ReleaseLock();
    return -1;
  }
  m_dbsFile = file;
  return 0;
}

void CKvarBvDbs::CloseFile() {
  if (!m_dbsFile) return;
  if (!m_readonly) std::fflush(m_dbsFile);
  std::fclose(m_dbsFile);
  m_dbsFile = nullptr;
}

int CKvarBvDbs::Arkinit(const char* path) {
  // Init's result is passed on: a database that could not be read is no success.
  if (!m_forst) return Init(0, 0, path, nullptr);
  if (m_dbsFile) return -1;
  UseProjectDatabase();
  m_dbsFile = geoproj::OpenFile(m_dbsPath, "r+b");
  if (!m_dbsFile) {
    geoproj::ShowStatusF(geoproj::lines::kCannotOpenStatus, m_dbsPath.c_str());
    return -3;
  }
  return 0;
}

// Under one holding of the lock: the database is moved aside and a new one created in its
// place, with the counters of an empty file in memory and in the file alike.
int CKvarBvDbs::Tempfil(int mode) {
  const std::string spare = ProjectFile(geoproj::lines::kSpareCopy);
  if (mode == 1) {
    geoproj::RemoveFile(spare);
    return 0;
  }
  const auto refuse = [this] {
    geoproj::ShowStatusF(geoproj::lines::kCannotOpenStatus, m_dbsPath.c_str());
    return -3;
  };
  if (m_readonly || Dbs_rw(kDbsOpen) != 0 || !m_dbsFile) return refuse();
  CloseFile();
  if (geoproj::FileExists(spare)) geoproj::RemoveFile(spare);
  if (!geoproj::RenameFile(m_dbsPath, spare)) {
    ReleaseLock();
    return refuse();
  }
  if (CreateDbsFile() != 0) {
    geoproj::RenameFile(spare, m_dbsPath);
    return refuse();
  }
  m_huv.endpos = static_cast<std::int32_t>(geoproj::lines::kKvarFirstRecord);
  m_huv.antal = 0;
  m_huv.antdel = 0;
  std::memset(m_huv.anttyp, 0, sizeof m_huv.anttyp);
  try {
    WriteHeader();
  } catch (...) {
    Dbs_rw(kDbsClose);
    throw;
  }
  MarkProgramWrote();
  return Dbs_rw(kDbsClose);
}
