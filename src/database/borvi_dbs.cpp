// Construction and the lock-file protocol of the borehole database.
#include <geoproj/database/borvi_dbs.h>

#include <cmath>
#include <cstring>

#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/date_time.h>
#include <geoproj/platform/file_access.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

#include "database/dbs_io.h"
#include "database/dbs_lock.h"
#include "database/dbs_extents.h"
#include "database/dbs_texts.h"

const double CBorviDbs::m_sek_noll = 9999999.9;
const double CBorviDbs::m_sek_koll = 9999999.0;
const char CBorviDbs::m_Dbsver[] = "3.0";

CBorviDbs::CBorviDbs(CProjPath* proj) : m_proj(proj), m_extents(std::make_unique<geoproj::dbs::DbsExtents>()) {
  NewHeader();
  SetProjectPaths();
}

CBorviDbs::CBorviDbs() : m_extents(std::make_unique<geoproj::dbs::DbsExtents>()) {}

CBorviDbs::~CBorviDbs() {
  // An object destroyed inside an update must not leave its lock behind for everybody else.
  if (m_dbsFile || m_lock.held()) Dbs_rw(kDbsClose);
}

void CBorviDbs::NewHeader() {
  m_huv = dbshuvtype{};
  const double whole = std::floor(3.0);
  geoproj::CopyField(m_huv.ver, geoproj::Format("%.1lf", whole + 0.001));
  m_huv.verdec = 3.0 - whole;
  geoproj::CopyField(m_huv.koord, "LOK");
  geoproj::CopyField(m_huv.datum, geoproj::FormatDate(geoproj::LocalNow()));
  m_huv.endpos = geoproj::kDbsFirstRecord;
}

void CBorviDbs::SetProjectPaths() {
  if (!m_proj) return;
  m_dbsPath = geoproj::JoinPath(m_proj->m_projKat, CProjPath::BorvDbsNamn);
  m_lockPath = geoproj::JoinPath(m_proj->m_projKat, CProjPath::BorvDbkNamn);
}

void CBorviDbs::UseProjectDatabase() {
  if (m_proj) m_dbsPath = geoproj::JoinPath(m_proj->m_projKat, CProjPath::BorvDbsNamn);
}

int CBorviDbs::Dbs_rw(int mode) {
  if (mode == kDbsClose) {
    CloseOwnFile();
    ReleaseLock();
    return 0;
  }
  if (mode != kDbsOpen && mode != kDbsCreate) return -1;
  // The file is already open, and the lock ours, inside an update.
  if (m_dbsFile) return -1;
  m_justCreated = false;
  if (TakeLock() != 0) return -1;
  if (mode == kDbsCreate && !m_readonly) return CreateDbsFile();
  return OpenDbsFile();
}

// A reader of a folder or medium it cannot write to goes on without a lock file; Init then
// checks that nobody wrote while it read.
int CBorviDbs::TakeLock() {
  if (m_lockPath.empty()) {
    std::string dir;
    geoproj::SplitPath(m_dbsPath.c_str(), &dir, nullptr);
    m_lockPath = geoproj::JoinPath(dir, CProjPath::BorvDbkNamn);
  }
  m_lockBusy = m_unlocked = false;
  const auto got = geoproj::dbs::TakeLockFile(m_lockPath, geoproj::dbs::kLockContent, &m_lock);
  if (got == geoproj::dbs::LockTake::kTaken) return 0;
  if (got == geoproj::dbs::LockTake::kBusy) {
    m_lockBusy = true;
    return -1;
  }
  if (m_readonly && got == geoproj::dbs::LockTake::kReadOnly) {
    m_unlocked = true;
    return 0;
  }
  geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, nullptr,
                        "Failed to create a Lockfile %s\nDo you have write access in this folder?",
                        m_lockPath.c_str());
  return -1;
}

// Only the lock file this object created is removed; another process's lock is never touched.
void CBorviDbs::ReleaseLock() { geoproj::ReleaseLockFile(m_lockPath, &m_lock); }

// Created in one step that fails on an existing file: a creator that looked first and created
// afterwards could truncate a database another creator made in between.
int CBorviDbs::CreateDbsFile() {
  if (geoproj::dbs::g_beforeCreateForTest) geoproj::dbs::g_beforeCreateForTest();
  bool existed = false;
  std::FILE* file = geoproj::CreateNewFile(m_dbsPath, &existed);
  if (existed) {
    geoproj::ShowMessage("Databasen finns redan !", geoproj::kMbOk | geoproj::kMbIconExclamation);
    ReleaseLock();
    return -1;
  }
  if (AdoptDbsFile(ExclusiveFile(file)) != 0) return -1;
  m_justCreated = true;
  return 0;
}

int CBorviDbs::OpenDbsFile() {
  std::FILE* file = nullptr;
  if (m_unlocked) {
    // A read-only folder or medium: read access is all there can be. Without a buffer, so that
    // reading the header again after the records sees what a writer wrote meanwhile.
    if (geoproj::FileExists(m_dbsPath)) file = geoproj::OpenFile(m_dbsPath, "rb");
    if (file) std::setvbuf(file, nullptr, _IONBF, 0);
  } else if (!m_readonly) {
    // Opening for reading and writing fails exactly where the access test would.
    file = ExclusiveFile(geoproj::OpenFile(m_dbsPath, "r+b"));
  } else if (geoproj::HasReadWriteAccess(m_dbsPath)) {
    file = geoproj::OpenFile(m_dbsPath, "rb");
  }
  return AdoptDbsFile(file);
}

std::FILE* CBorviDbs::ExclusiveFile(std::FILE* file) { return geoproj::dbs::ExclusiveFile(file); }

// Keeps an opened database file; without one the lock file is given back.
int CBorviDbs::AdoptDbsFile(std::FILE* file) {
  if (!file) {
    ReleaseLock();
    return -1;
  }
  m_dbsFile = file;
  return 0;
}

void CBorviDbs::CloseOwnFile() {
  if (!m_dbsFile) return;
  if (!m_readonly) std::fflush(m_dbsFile);
  std::fclose(m_dbsFile);
  m_dbsFile = nullptr;
}

int CBorviDbs::BeginUpdate() {
  m_inUpdate = 1;
  m_readonly = 0;
  UseProjectDatabase();
  Dbs_rw(kDbsOpen);
  return 0;
}

int CBorviDbs::EndUpdate() {
  Dbs_rw(kDbsClose);
  m_inUpdate = 0;
  return 0;
}

int CBorviDbs::SaveSelection(int mode, const char* name) {
  if (name) m_dbsPath = name;
  if (mode == kDbsOpen) {
    Dbs_rw(kDbsOpen);
    m_inUpdate = 1;
  } else {
    Dbs_rw(mode);
    m_inUpdate = 0;
  }
  return 1;
}
