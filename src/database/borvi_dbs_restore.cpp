// Restoring a project: the database is rebuilt from the borehole, groundwater, measurement,
// vane, line and AVP files of the project directory.
//
// The new database is written beside the old one, under a hidden name of our own, and moved
// into place (one rename) only once it is complete. The lock file is held from the first look
// at the old database to the move, so other programs wait as for any write and then find
// either the old database or the whole new one. A restore killed on the way leaves the old
// database as it was (the next restore overwrites the half-built one); a borehole file written
// back on the way is rewritten safely by the platform like every other.
#include <geoproj/database/borvi_dbs.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include <geoproj/database/arktype.h>
#include <geoproj/database/dbs_format.h>
#include <geoproj/database/dbs_guid.h>
#include <geoproj/database/konvertera_dlg.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/lines/hellar_bv.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/lines/linje_bv_data.h>
#include <geoproj/methods/borvi_cpt.h>
#include <geoproj/methods/borvi_mil.h>
#include <geoproj/methods/borvi_prv.h>
#include <geoproj/methods/borvi_vb.h>
#include <geoproj/methods/karnborr.h>
#include <geoproj/methods/vatten_f.h>
#include <geoproj/platform/dir_sort.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/host_services.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_dpt.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_snd.h>
#include <geoproj/sounding/borvi_total.h>

#include "database/dbs_io.h"
#include "database/dbs_old_header.h"
#include "database/guid_fault_log.h"

namespace {

// The kinds of file the restore reads, by extension.
enum class FileKind { kOther, kSounding, kVane, kGroundwater, kMeasurement, kLine, kOutcrop };

FileKind KindOf(const std::string& extension) {
  std::string ext = extension;
  geoproj::UpperId(ext);
  if (ext == "SND") return FileKind::kSounding;
  if (ext == "VB") return FileKind::kVane;
  if (ext == "GVR") return FileKind::kGroundwater;
  if (ext == "MTN") return FileKind::kMeasurement;
  if (ext == "LJE") return FileKind::kLine;
  if (ext == "LAD") return FileKind::kOutcrop;
  return FileKind::kOther;
}

// A text of the host's structure: at most width characters, even without a terminator.
std::string ArkText(const char* field, std::size_t width) {
  return std::string(field, strnlen(field, width));
}

// Shorter than a whole UUID text: the writers give such a block a new one.
bool LacksGuid(const std::string& guid) { return std::strlen(guid.c_str()) < 36; }

template <class T>
bool BlockLacksGuid(const T* block) {
  return block && LacksGuid(block->m_guid);
}

template <class T>
bool ObjectLacksGuid(const T* object) {
  return object && LacksGuid(object->guid);
}

// The blocks a write of the sounding file (with its interpretation, samples and environmental
// data) puts down.
bool SoundingLacksGuids(const CBorviSnd& s) {
  return BlockLacksGuid(s.dreie) || BlockLacksGuid(s.ram) || BlockLacksGuid(s.total) ||
         BlockLacksGuid(s.fjell) || BlockLacksGuid(s.dtrykk) || BlockLacksGuid(s.enkel) ||
         BlockLacksGuid(s.dpt) || ObjectLacksGuid(s.cpt) || ObjectLacksGuid(s.karnborr) ||
         ObjectLacksGuid(s.vattenf) || ObjectLacksGuid(s.prv) || ObjectLacksGuid(s.mil);
}

// UUID texts are parsed in either case; they name the same identifier when they are equal but
// for the case of their letters.
bool SameGuidText(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
      return false;
  return *a == *b;
}

// The hidden name beside the database under which the new one is built.
std::string BuildPath(const std::string& dbsPath) {
  std::string dir, name;
  geoproj::SplitPath(dbsPath.c_str(), &dir, &name);
  return geoproj::JoinPath(dir, "." + name + ".geoproj-restore");
}

}  // namespace

class CBorviDbs::RestoreRun {
 public:
  RestoreRun(CBorviDbs& db, const char* name, const arktype* ark, CKonverteraDlg* dialog)
      : db_(db), dialog_(dialog) {
    if (ark) std::memcpy(&ark_, ark, sizeof ark_);
    path_ = name && *name ? std::string(name) : geoproj::JoinPath(db.m_proj->m_projKat, CProjPath::BorvDbsNamn);
    build_ = BuildPath(path_);
  }

  // A run that ended early gives back what it holds: the half-built file goes, the old
  // database stays, the lock is released.
  ~RestoreRun() {
    db_.m_guidLista = nullptr;
    if (db_.m_dbsFile) {
      std::fclose(db_.m_dbsFile);
      db_.m_dbsFile = nullptr;
      geoproj::RemoveFile(build_);
    }
    db_.ReleaseLock();
    db_.m_inUpdate = 0;
  }

  int Run() {
    std::string old;
    if (!Lock() || !ReadOld(&old)) return -1;
    StartDatabase(old);
    ListFiles();
    ReadAvpFile();
    for (int rc = files_.Home(); rc == 0; rc = files_++ ? 0 : -1) RestoreFile(*files_.Get_aktel(), true);
    for (int rc = line_files_.Home(); rc == 0; rc = line_files_++ ? 0 : -1)
      RestoreFile(*line_files_.Get_aktel(), false);
    RestoreAvpPoints();
    if (!PutInPlace()) return -1;
    FinishLineDatabase();
    CheckGuids();
    Finish();
    return 0;
  }

 private:
  struct Counts {
    int soundings = 0, groundwater = 0, measurements = 0, terrain = 0, lines = 0, outcrops = 0;
  };

  bool Lock() {
    db_.m_dbsPath = path_;
    if (path_.size() >= 3) db_.m_lockPath = path_.substr(0, path_.size() - 3) + "dbk";
    db_.m_readonly = 0;
    db_.m_inUpdate = 1;
    return db_.TakeLock() == 0;
  }

  // The first bytes of the old database; none when there is no file. False when a file is
  // there that cannot be read: restoring over it would throw away what it holds.
  bool ReadOld(std::string* bytes) {
    if (!geoproj::FileExists(path_)) return true;
    std::FILE* file = geoproj::OpenFile(path_, "rb");
    if (!file) {
      geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, nullptr,
                            "Kan ikke opne database : %s", path_.c_str());
      return false;
    }
    char buffer[geoproj::kDbsHeaderSize];
    bytes->assign(buffer, std::fread(buffer, 1, sizeof buffer, file));
    std::fclose(file);
    return true;
  }

  // The header of the new database: the project texts of the old one (or of ark for a file
  // without a header), a fresh count of everything.
  void MakeHeader(const std::string& old_bytes) {
    const geoproj::dbs::OldHeader old = geoproj::dbs::ReadOldHeader(old_bytes);
    db_.NewHeader();
    dbshuvtype& h = db_.m_huv;
    if (old.empty) {
      geoproj::CopyField(h.datum, ArkText(ark_.datum, 10));
      geoproj::CopyField(h.projnr, ArkText(ark_.text2, 35));
    } else {
      h.uppdnr = old.uppdnr;
      geoproj::dbs::KeepOldFields(old, old_bytes, &h);
    }
    // An empty name is no name: it must not wipe out the one the old header kept.
    const std::string name = ArkText(ark_.namn, 35);
    if (!name.empty() || old.empty) geoproj::CopyField(h.projnamn, name);
    const std::string koord = geoproj::FieldText(h.koord);
    if (koord != "NGO" && koord != "LOK") geoproj::CopyField(h.koord, "LOK");
    ++h.uppdnr;
    h.antdel = 0;
    h.endpos = geoproj::kDbsFirstRecord;
  }

  void StartDatabase(const std::string& old_bytes) {
    while (db_.Home() == 0) db_.list0<bhdbstype>::Delete();
    MakeHeader(old_bytes);
    db_.EnsureGuid();
    geoproj::RemoveFile(build_);
    std::FILE* file = geoproj::OpenFile(build_, "w+b");
    if (!file) throw geoproj::FileError("cannot create " + build_);
    db_.m_dbsFile = file;
    geoproj::LockOpenFile(file);
    geoproj::dbs::WriteHeader(file, db_.m_huv);
    guids_ = std::make_unique<CDbsGUID>();
    db_.m_guidLista = guids_.get();
    guidtype self{};
    self.metod = 1000;
    geoproj::CopyField(self.guid, db_.GetGuidString());
    guids_->Ny(1, &self);
  }

  void ListFiles() {
    const std::string pattern = geoproj::Format("%s%c*.*", db_.m_proj->m_borrKat.c_str(), geoproj::kPathSep);
    const int listed = files_.Init(pattern.c_str());
    total_ = listed > 0 ? listed : 0;
    // Line and outcrop files live in the project's line-file folder.
    const std::string lines = geoproj::JoinPath(db_.m_proj->m_projKat, CProjPath::BorvDbfKat);
    lines_apart_ = geoproj::ResolvePath(lines) != geoproj::ResolvePath(db_.m_proj->m_borrKat);
    if (!lines_apart_) return;
    const std::string line_pattern = geoproj::Format("%s%c*.*", lines.c_str(), geoproj::kPathSep);
    const int line_listed = line_files_.Init(line_pattern.c_str());
    total_ += line_listed > 0 ? line_listed : 0;
  }

  // The AVP points: the lines of the point file before its "*" line.
  void ReadAvpFile() {
    const std::string& path = db_.m_proj->m_pktFil;
    if (path.empty() || !geoproj::FileExists(path)) return;
    CStdioFileMem file;
    if (!file.Open(path, CStdioFileMem::modeRead)) return;
    std::string line;
    while (file.ReadString(line) && line.rfind('*', 0) != 0) avp_lines_.push_back(line);
    file.Close();
    total_ += static_cast<int>(avp_lines_.size());
  }

  // data_dir: a file of the borehole files' directory, else of the line-file folder.
  void RestoreFile(const dirsorttype& file, bool data_dir) {
    const std::string name = geoproj::FieldText(file.name);
    const std::size_t dot = name.rfind('.');
    const FileKind kind = dot == std::string::npos ? FileKind::kOther : KindOf(name.substr(dot + 1));
    const std::string base = dot == std::string::npos ? std::string() : name.substr(0, dot);
    const bool line = kind == FileKind::kLine || kind == FileKind::kOutcrop;
    const bool here = line ? !(data_dir && lines_apart_) : data_dir;
    if (kind != FileKind::kOther && here && CBorviDbs::ValidIdNamn(base.c_str()) == 0) {
      std::string id = base;
      geoproj::UpperId(id);
      if (line)
        RestoreLineFile(base, id, kind);
      else
        RestoreOne(id, kind);
    }
    ++processed_;
    Show(0);
    if (geoproj::dbs::g_restoreStepForTest) geoproj::dbs::g_restoreStepForTest(processed_);
  }

  void RestoreOne(const std::string& id, FileKind kind) {
    switch (kind) {
      case FileKind::kSounding:
      case FileKind::kVane: ++counts_.soundings; break;
      case FileKind::kGroundwater: ++counts_.groundwater; break;
      case FileKind::kMeasurement: ++counts_.measurements; break;
      default: return;
    }
    RestoreBorehole(id, kind);
  }

  // A line or outcrop file: its record in the line database, made anew for the first of them,
  // and a record of its kind in this database at its first point.
  void RestoreLineFile(const std::string& name, const std::string& id, FileKind kind) {
    if (!line_db_ && !StartLineDatabase()) return;
    const bool is_line = kind == FileKind::kLine;
    double x = 0, y = 0, z = 0;
    if (is_line) {
      CLinjeBvData object(db_.m_proj, name.c_str(), 0);
      if (object.Init(1) != 0) return;
      object.FirstPoint(&x, &y, &z);
      AddLineRecord(CKvarBvDbs::kTypLinje, name, id);
      // A file read with losses is not written again; its record keeps what was read.
      if (object.m_droppedContent == 0) object.Save(line_db_.get()); else line_db_->Uppdat(0);
      ++counts_.lines;
    } else {
      CHellarBv object(db_.m_proj, name.c_str());
      if (object.Init() != 0) return;
      object.FirstPoint(&x, &y, &z);
      AddLineRecord(CKvarBvDbs::kTypHall, name, id);
      if (object.m_droppedContent == 0) object.Save(line_db_.get()); else object.SaveToDbs(line_db_.get());
      ++counts_.outcrops;
    }
    db_.Ny(1, nullptr);
    entered_.insert(id.substr(0, 8));
    bhdbstype& r = *db_.Get_aktel();
    geoproj::CopyField(r.id, id);
    geoproj::SetBit(r.bit, is_line ? geoproj::kBitLine : geoproj::kBitOutcrop);
    r.x = x;
    r.y = y;
    r.z = z;
    r.sek = 0.0;
    db_.Uppdat(1, nullptr, 1);
  }

  void AddLineRecord(int type, const std::string& name, const std::string& id) {
    line_db_->Ny(1, nullptr);
    sadbstype& rec = *line_db_->Get_aktel();
    rec.typ = static_cast<unsigned char>(type);
    rec.kopptyp = -1;
    geoproj::CopyField(rec.id, id);
    geoproj::CopyField(rec.fil, name);
  }

  // The old line database is kept aside as a spare until the restore has made the new one; a
  // spare left by a restore that was killed is the older and stays.
  bool StartLineDatabase() {
    line_db_ = std::make_unique<CKvarBvDbs>(db_.m_proj, nullptr);
    const std::string path = geoproj::JoinPath(db_.m_proj->m_projKat, CKvarBvDbs::KvarDbsNamn);
    const std::string spare = BuildPath(path);
    if (geoproj::FileExists(path) && !(!geoproj::FileExists(spare) && geoproj::RenameFile(path, spare)))
      geoproj::RemoveFile(path);
    return line_db_->Init(0, 1) == 0 && line_db_->Init(0, 0) == 0;
  }

  // Without any line or outcrop file the line database is made anew empty.
  void FinishLineDatabase() {
    const std::string path = geoproj::JoinPath(db_.m_proj->m_projKat, CKvarBvDbs::KvarDbsNamn);
    if (!line_db_ && geoproj::FileExists(path)) {
      const std::string spare = BuildPath(path);
      if (!geoproj::FileExists(spare)) geoproj::RenameFile(path, spare);
      geoproj::RemoveFile(path);
      CKvarBvDbs empty(db_.m_proj, nullptr);
      empty.Init(0, 1);
    }
    geoproj::RemoveFile(BuildPath(path));
  }

  void RestoreBorehole(const std::string& id, FileKind kind) {
    CBorviSnd snd(db_.m_proj, &db_);
    snd.Init(id.c_str(), nullptr);
    std::unique_ptr<CBorviMtn> mtn;
    if (kind == FileKind::kMeasurement) mtn = ReadMeasurements(snd);
    if (LacksGuids(snd, kind)) WriteBack(snd, kind);
    EnterRecord(snd);
    snd.mtn = nullptr;
  }

  // What SndUppdat does, with the look-up answered from the identifiers entered so far: in a
  // database being rebuilt nearly every identifier is new, and a look-up that does not find one
  // walks the whole list.
  void EnterRecord(CBorviSnd& snd) {
    if (!MakeCurrent(geoproj::FieldText(snd.id))) return;
    if (snd.Snd2Bhbit(db_.Get_aktel()) != 0) return;
    db_.Uppdat(1, nullptr, 1);
  }

  // Makes the record of id current, appending it when it was not entered yet. False for an
  // identifier the database cannot hold.
  bool MakeCurrent(std::string id) {
    geoproj::UpperId(id);
    if (id.empty()) return false;
    char key[9] = {};
    geoproj::CopyField(key, id);
    if (entered_.insert(key).second) {
      db_.Ny(1, nullptr);
      geoproj::CopyField(db_.Get_aktel()->id, key);
      return true;
    }
    return db_.Findid(key, -1) == 0;
  }

  // The sounding file does not read ID.MTN: the measurement slot is filled as a host fills it.
  static std::unique_ptr<CBorviMtn> ReadMeasurements(CBorviSnd& snd) {
    auto mtn = std::make_unique<CBorviMtn>(snd.option1, &snd);
    mtn->Init(&snd.mtnfil, snd.id);
    snd.m_droppedContent += mtn->m_droppedContent;
    snd.mtn = mtn.get();
    snd.typ = &CBorviSnd::Mtn;
    return mtn;
  }

  static bool LacksGuids(const CBorviSnd& snd, FileKind kind) {
    switch (kind) {
      case FileKind::kSounding: return SoundingLacksGuids(snd);
      case FileKind::kVane: return ObjectLacksGuid(snd.vb);
      case FileKind::kGroundwater: return ObjectLacksGuid(snd.gvr);
      default: return false;
    }
  }

  // Gives the blocks their identifiers by writing the file back, without the database (the
  // record follows once). A file read with losses is left as it is: writing it would lose
  // what the reading could not take, which weighs more than an identifier.
  void WriteBack(CBorviSnd& snd, FileKind kind) {
    if (snd.m_droppedContent > 0) {
      geoproj::ShowStatusF("Restore: %s kept as it is (blocks without GUID; content it could not read)",
                           snd.id);
      return;
    }
    snd.dbs = nullptr;
    if (kind == FileKind::kVane) {
      snd.UppdatVb(nullptr, nullptr);
    } else if (kind == FileKind::kGroundwater) {
      snd.UppdatGvr(nullptr, nullptr);
    } else {
      // A borehole with a pipe or a vane test beside its soundings would otherwise write only
      // that file.
      CBorviGvr* gvr = std::exchange(snd.gvr, nullptr);
      CBorviVb* vb = std::exchange(snd.vb, nullptr);
      snd.Uppdat(nullptr, nullptr);
      snd.gvr = gvr;
      snd.vb = vb;
    }
    snd.dbs = &db_;
  }

  void RestoreAvpPoints() {
    for (const std::string& line : avp_lines_) {
      RestoreAvpPoint(line);
      ++processed_;
      Show(counts_.terrain);
      if (geoproj::dbs::g_restoreStepForTest) geoproj::dbs::g_restoreStepForTest(processed_);
    }
  }

  // One line of the point file: "%s%lf%lf%lf%lf%lf%s" as the file's writer puts it.
  void RestoreAvpPoint(const std::string& line) {
    std::vector<char> id(line.size() + 1), code(line.size() + 1);
    double v[5] = {};
    const int fields = std::sscanf(line.c_str(), "%s%lf%lf%lf%lf%lf%s", id.data(), &v[0], &v[1],
                                   &v[2], &v[3], &v[4], code.data());
    if (fields < 6 || CBorviDbs::ValidIdNamn(id.data()) != 0) return;
    char key[9] = {};
    geoproj::CopyField(key, id.data());
    geoproj::UpperId(key);
    const bool known = entered_.count(key) != 0;
    if (known && (db_.Findid(key, -1) != 0 || !geoproj::HasBit(db_.Get_aktel()->bit, geoproj::kBitAvp)))
      return;
    if (!known) {
      db_.Ny(1, nullptr);
      entered_.insert(key);
    }
    bhdbstype& r = *db_.Get_aktel();
    const std::int32_t filpos = r.filpos;
    r = bhdbstype{};
    geoproj::CopyField(r.id, key);
    geoproj::SetBit(r.bit, geoproj::kBitAvp);
    r.x = v[0];
    r.y = v[1];
    r.z = v[2];
    r.sek = v[3];
    r.avst = v[4];
    if (fields >= 7) geoproj::SetKodText(&r, code.data());
    r.filpos = filpos;
    db_.Uppdat(1, nullptr, 1);
    ++counts_.terrain;
  }

  // The progress as a whole percentage of the files and points, with the counts.
  void Show(int terrain) {
    if (!dialog_) return;
    const int progress = total_ > 0 ? static_cast<int>(processed_ * 100.0 / total_) : 100;
    dialog_->Data2Dlg(progress, counts_.soundings, counts_.groundwater, counts_.measurements,
                      terrain, counts_.lines);
  }

  // Closes the new database and moves it over the old one.
  bool PutInPlace() {
    if (geoproj::dbs::g_restoreStepForTest) geoproj::dbs::g_restoreStepForTest(-1);
    std::FILE* file = std::exchange(db_.m_dbsFile, nullptr);
    const bool written = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || !geoproj::RenameFile(build_, path_)) {
      geoproj::RemoveFile(build_);
      geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, nullptr,
                            "Kan ikke opne database : %s", path_.c_str());
      return false;
    }
    db_.ReleaseLock();
    db_.m_inUpdate = 0;
    db_.m_dbsPath = path_;  // each record's write set it to the project's
    return true;
  }

  // Equal identifiers become neighbours in the sorted list: one pass finds every duplicate.
  void CheckGuids() {
    if (dialog_) dialog_->Row1text("Restore: checking GUIDs...");
    guids_->Sortera(1);
    geoproj::dbs::GuidFaultLog log(db_.m_proj->m_projKat);
    const guidtype* earlier = nullptr;
    for (int rc = guids_->Home(); rc == 0; rc = (*guids_)++ ? 0 : -1) {
      const guidtype* later = guids_->Get_aktel();
      if (earlier && IsDuplicate(*earlier, *later)) log.Duplicate(*earlier, *later, db_);
      earlier = later;
    }
    db_.m_restoreLog = log.Close();
  }

  // A block without an identifier has none to share.
  static bool IsDuplicate(const guidtype& a, const guidtype& b) {
    if (!a.guid[0] || !SameGuidText(a.guid, b.guid)) return false;
    return std::strncmp(a.id, b.id, sizeof a.id) != 0 || a.metod != b.metod;
  }

  void Finish() {
    db_.m_guidLista = nullptr;
    guids_.reset();
    if (dialog_) dialog_->Row1text("Restore: checking GUIDs - Completed");
    const std::string& log = db_.m_restoreLog;
    if (log.empty()) return;
    const int answer = geoproj::ShowMessage(
        geoproj::Format("Show logfile with errors:\n%s ?", log.c_str()), geoproj::kMbYesNo);
    if (answer == geoproj::kIdYes && !geoproj::FindAssociatedProgram(log).empty())
      geoproj::ShellStart("open", log, db_.m_proj->m_projKat);
  }

  CBorviDbs& db_;
  CKonverteraDlg* dialog_;
  arktype ark_{};
  std::string path_;
  std::string build_;
  std::unique_ptr<CDbsGUID> guids_;
  CDirSort files_;
  std::unordered_set<std::string> entered_;  // identifiers with a record in the new database
  CDirSort line_files_;
  bool lines_apart_ = false;
  std::unique_ptr<CKvarBvDbs> line_db_;
  std::vector<std::string> avp_lines_;
  Counts counts_;
  int total_ = 0;
  int processed_ = 0;
};

int CBorviDbs::Restore(const char* name, arktype* ark, CKonverteraDlg* dialog) {
  m_restoreLog.clear();
  if (!m_proj) return -1;
  RestoreRun run(*this, name, ark, dialog);
  return run.Run();
}

int CBorviDbs::Konvertera(arktype* ark) {
  CKonverteraDlg dialog(m_dbsPath.c_str(), ark, this, nullptr);
  dialog.DoModal();
  return 1;
}
