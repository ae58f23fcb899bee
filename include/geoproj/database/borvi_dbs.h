// CBorviDbs: the borehole index database of a project, held in memory as a list of records.
//
// The whole file is read by Init; nothing stays open or locked afterwards. Every write takes
// the project's lock file, opens the file exclusively, catches up with writes made by others
// since this object read it (the header's update number), writes, and unlocks again.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/database/dbshuvtype.h>
#include <geoproj/foundation/list0.h>
#include <geoproj/platform/files.h>

class CProjPath;
class CVaglinje;
class CDbsGUID;
class CBorviSnd;
class CKonverteraDlg;
struct arktype;
namespace geoproj::dbs {
class DbsExtents;
}

class CBorviDbs : public list0<bhdbstype> {
 public:
  // Chainage of a record without one.
  static const double m_sek_noll;  // 9999999.9
  static const double m_sek_koll;  // 9999999.0, for the host
  // Current version text.
  static const char m_Dbsver[];  // "3.0"

  // Plot selection flags for the host.
  static constexpr int PL_NONE = 0;
  static constexpr int PL_ID = 1;
  static constexpr int PL_SON = 2;
  static constexpr int PL_SON_180 = 4;
  static constexpr int PL_TRI = 8;
  static constexpr int PL_LAB = 16;
  static constexpr int PL_FALT = 32;
  static constexpr int PL_VB = 64;
  static constexpr int PL_PG = 128;
  static constexpr int PL_PROV = 256;
  static constexpr int PL_PROV_180 = 512;
  static constexpr int PL_DUBB = 1024;
  static constexpr int PL_90 = 2048;
  static constexpr int PL_95 = 4096;
  static constexpr int PL_94 = 8192;
  static constexpr int PL_91 = 16384;
  static constexpr int PL_91_180 = 32768;
  static constexpr int PL_95_180 = 65536;
  static constexpr int PL_90_180 = 131072;
  static constexpr int PL_POR = 262144;
  static constexpr int PL_AVP = 524288;
  static constexpr int PL_96 = 1048576;
  static constexpr int PL_97 = 2097152;
  static constexpr int PL_98 = 4194304;
  static constexpr int PL_BG = 8388608;
  static constexpr int PL_PUMP = 16777216;
  static constexpr int PL_MTN = 33554432;
  static constexpr int PL_MTNR = 67108864;
  static constexpr int PL_BERGDAG = 134217728;
  static constexpr int PL_MATPOS = 268435456;

  // Modes of the lock-file protocol (Dbs_rw).
  static constexpr int kDbsOpen = 1000;
  static constexpr int kDbsClose = 1001;
  static constexpr int kDbsCreate = 1002;

  // A database of the project; read-only until Init or BeginUpdate says otherwise.
  explicit CBorviDbs(CProjPath* proj);
  // A bare list without a project (used by the evaluation scans).
  CBorviDbs();
  CBorviDbs(const CBorviDbs&) = delete;
  CBorviDbs& operator=(const CBorviDbs&) = delete;
  // Closes the file and removes the lock if this object still holds them.
  ~CBorviDbs() override;

  // --- opening, locking, saving ---

  // Reads the database: the project's, or the file called name. With file given, reads that
  // already open file (whose lock the caller holds). create = 1 creates a new database.
  // 0 on success, -1 when it cannot be opened or read or has a wrong version, -4 when the
  // header is short.
  int Init(int readonly, int create, const char* name = nullptr, std::FILE* file = nullptr);
  int Init(const std::string& name, int readonly, int create, std::FILE* file = nullptr);

  // Holds the lock and the open file across several Uppdat calls. Both return 0.
  int BeginUpdate();
  int EndUpdate();

  // Whether the last opening gave up because another process held the lock file past the wait,
  // and where that lock file is; a host can tell the user which file blocks the project.
  bool LockWasBusy() const { return m_lockBusy; }
  std::string GetLockFileName() const { return m_lockPath; }

  // What the last reading found wrong with the file. Records it could not take are reported
  // one by one as status texts (file and offset) and counted here.
  struct ReadReport {
    int header_records = 0;  // records the header's kind counters count, as read
    int read_records = 0;    // records taken into the list
    int dropped = 0;         // records not taken: contradicting kinds, past the end offset
    bool cut = false;        // the file ends inside a record
    bool Damaged() const { return dropped > 0 || cut || header_records != read_records; }
  };
  const ReadReport& GetReadReport() const { return m_readReport; }

  void ChangeReadWriteAccess(int readonly) { m_readonly = readonly; }
  int IsReadOnly() const { return m_readonly; }
  std::string GetDbsFileName() const { return m_dbsPath; }
  static const char* GetDbsverString() { return m_Dbsver; }

  // Writes the whole list as a fresh sequence of records (the project's database when name is
  // null; create = 1 makes a new file). 0, or -1 when nothing was written.
  int SaveDbs(const char* name, int create);
  int SaveDbs(const std::string& name, int create);

  // --- updates, lookups, selections ---

  // New current record: appended (where = 1) or inserted before the current one; a copy of
  // *src, or all zero with sek = m_sek_noll.
  int Ny(int where, const bhdbstype* src);

  // Writes the current record (typ 0 and 1) and/or the extents and header (typ 1 to 3: extents
  // and header; 4 and above: header only). open = 1 takes the lock unless inside BeginUpdate.
  // 0, or -3 when read-only or the file cannot be opened.
  int Uppdat(int typ, const char* name, int open);
  int Uppdat(int typ, const std::string& name, int open);

  // Brings the record of a sounding file up to date and writes it.
  int SndUppdat(CBorviSnd* snd);

  // Makes the record with this identifier (upper-cased in place) or, with filpos >= 0, this
  // file offset current. 0, or -1 with the cursor back where it was.
  int Findid(char* id, long filpos = -1);
  // Makes the record at this address current.
  int FindNuel(const bhdbstype* el);
  int FindNuel(std::uintptr_t el) { return FindNuel(reinterpret_cast<const bhdbstype*>(el)); }

  // Kind code of the current record ("BH", "AVP" or its own code, "VB", "GVR", "MTN", "DUB")
  // into code, which must hold 4 bytes.
  int Kod(char* code);
  static int ValidIdNamn(const char* id);

  // Deletes the current record from the list and on disk (name: another database file).
  int Delete(const char* name);
  int Delete() { return Delete(nullptr); }
  // Delete, then remove the borehole's files (or rewrite the AVP file for an AVP point).
  int DeleteId();
  // Removes the current record from the list only.
  int DeletePost() { return list0<bhdbstype>::Delete(); }

  // Refreshes the selection database at path from this database.
  int UppdUrval(const char* path);
  int UppdUrval(const std::string& path) { return UppdUrval(path.c_str()); }
  // mode 1000 opens the file name for a series of Uppdat calls; 1001 closes it. Returns 1.
  int SaveSelection(int mode, const char* name);

  // Rewrites the project's AVP point list. 0, or -1 when it cannot be created.
  int AvpFilUppdat();

  // --- method symbols ---

  // The address of the image of the current record's symbol in the symbol library. With
  // check = 1 the number is first checked against the library's list (fetched once per
  // object), and a number the list lacks gives the unknown image; " " when the user chose to
  // go on without symbols. The text stays valid until the next call on the same thread.
  char* NoSymb(int check);
  // No symbol: always an empty text.
  char* SvSymb(int);

  // --- restoring a project ---

  // Rebuilds the database file name (the project's when null) from the project's files. The
  // project texts come from the old header and from ark; dialog, when given, is shown the
  // counts and the progress. 0, or -1 when the database cannot be locked, read or put in place.
  int Restore(const char* name, arktype* ark, CKonverteraDlg* dialog);
  // Shows the restore dialog for this database through the host's dialog service; returns 1.
  int Konvertera(arktype* ark);
  // The GUID fault log the last Restore wrote; empty when it found no duplicate.
  const std::string& GetRestoreLogName() const { return m_restoreLog; }

  // Normalises a date text in place to "dd.mm.yyyy"; date must hold 11 bytes.
  static int DatumFix(char* date);
  static int DatumFix(std::string& date);
  // Makes "." the decimal point of number conversions; 0, or -1 when that fails.
  static int LocaleCheckAndFix();

  // --- checks and identifiers ---

  // 1 when another writer raised the file's update number, 0 when equal, -1 when the file's is
  // lower, -2 when the header cannot be read.
  int DbsKoll();
  // 0 when the current record says the same as *r (filpos aside), 1 when it differs.
  int KollaPael(const bhdbstype* r);
  // The database identifier as text; empty when the header holds none.
  std::string GetGuidString() const;
  void SetGuidString(const std::string& text);

  // Sorting; keys 5 and 6 ask the attached road alignment once per record.
  int Sortera(int key);
  int Omsortera(int key);

  // --- public state ---

  dbshuvtype m_huv{};                 // the header, as the file holds it
  CVaglinje* m_vaglinje = nullptr;    // road alignment for sort keys 5 and 6, not owned
  CProjPath* m_proj = nullptr;        // not owned
  CDbsGUID* m_guidLista = nullptr;    // identifier list filled while rebuilding, not owned
  int m_postlen = 62;                 // record size on disk

 protected:
  int Sortval(int key) override;

  // Reconciles the list with the open database file after another process wrote it.
  int DbsSync(std::FILE* file);
  // The lock-file protocol: kDbsOpen, kDbsCreate, kDbsClose; -1 for any other mode.
  int Dbs_rw(int mode);
  // Fetches the symbol library's list of symbols: 0 when at least two lines came; else the
  // user's choice: -1 go on without checking, -2 no symbols.
  int ReadSymbols();

  std::vector<std::string> m_symbolList;  // lines of the symbol library's list
  int m_symbolState = -1;  // -1 not read, 1 read and checked against, 0 no checking, -2 no symbols

  std::FILE* m_dbsFile = nullptr;  // the database file while open
  std::string m_dbsPath;
  std::string m_lockPath;
  int m_readonly = 1;
  int m_inUpdate = 0;

 private:
  class RestoreRun;

  // Where a record lies along the attached road alignment.
  struct Station {
    bool inside;
    double sek;
    double avst;
  };

  void NewHeader();
  void SetProjectPaths();
  void UseProjectDatabase();
  int TakeLock();
  void ReleaseLock();
  int CreateDbsFile();
  int OpenDbsFile();
  static std::FILE* ExclusiveFile(std::FILE* file);
  int ReadUnlocked(std::FILE* file, bool explicit_name);
  void DropRecordsAfter(int count);
  int AdoptDbsFile(std::FILE* file);
  void CloseOwnFile();
  int ReadDatabase(std::FILE* file, bool explicit_name, bool own_file);
  int ReadRecords(std::FILE* file, bool explicit_name, bool own_file);
  struct ReadState;
  bool ReadRecordAt(std::FILE* file, long p, const unsigned char* raw, ReadState& state);
  bool KindsAccepted(std::FILE* file, long p, bhdbstype* rec, ReadState& state);
  void TakeRecord(std::FILE* file, long p, bhdbstype rec, ReadState& state);
  void CorrectCounters(std::FILE* file, const ReadState& state);
  void ReportDropped(long p, const bhdbstype& rec, const char* why);
  void ReportCut(long p, long bytes);
  int VersionRule();
  int OpenForWrite(const char* name, int open, bool* opened);
  void WriteParts(int typ, int open);
  void WriteCurrent(bhdbstype* rec);
  void CountNewRecord(const bhdbstype& rec);
  void UncountRecord(const bhdbstype& rec);
  // The extents over the list into the header; whole_list walks every record again instead of
  // taking in the current record's change.
  void RecomputeExtents(bool whole_list = false);
  void EnsureGuid();
  // Makes the record with this identifier current through the identifier index; false when the
  // index does not know it (or the record was renamed in place), and the list must be walked.
  bool JumpToId(const char* key);
  void RefreshIdPlaces();
  bool WriteDeletion(const char* name);
  void RemoveBoreholeFiles(const char* id);
  Station StationOf(const bhdbstype& rec);
  int StationAfter(int key);
  struct StationScope;

  geoproj::LockHandle m_lock;   // the lock file this object created and will remove
  bool m_lockBusy = false;      // the last TakeLock gave up waiting for another holder
  bool m_unlocked = false;      // reading a folder that cannot hold a lock file, without one
  ReadReport m_readReport;
  bool m_justCreated = false;  // the last Dbs_rw created the database file
  std::unordered_map<const bhdbstype*, Station> m_stations;  // filled while sorting by 5 or 6
  bool m_useStations = false;

  // Kept record by record so that a save of one borehole costs the same in a small and a large
  // project: the extents, and where each identifier's record is (valid while the list is only
  // appended to; see list0::m_reshapes).
  std::unique_ptr<geoproj::dbs::DbsExtents> m_extents;
  struct IdPlace {
    node* where;
    int pos;
  };
  std::unordered_map<std::string, IdPlace> m_idPlaces;
  std::uint64_t m_idReshapes = ~std::uint64_t{0};
  int m_idCount = 0;

  std::unordered_set<std::string> m_symbolIndex;  // the symbol list's lines, lower-cased
  std::string m_restoreLog;
};
