// CKvarBvDbs: the line and outcrop database of a project ("KVARTOLI.SDBS"), held in memory as a
// list of records, one per map object.
//
// Like the borehole database, nothing stays open or locked between calls: Init reads the whole
// file (packing out deleted records when it may write), and every update takes the lock file,
// opens the database file exclusively, writes the current record and/or the header in place,
// and unlocks again. A writer first takes over the counters another writer left in the file, so
// that two writers never put a new record at the same offset.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <geoproj/foundation/list0.h>
#include <geoproj/lines/sadbstype.h>
#include <geoproj/platform/files.h>

class CProjPath;
class CBorvIni;

class CKvarBvDbs : public list0<sadbstype> {
 public:
  static const char* const KvarDbsNamn;  // "KVARTOLI.SDBS"
  static const char m_Dbsver[];          // "1.5"

  // Modes of the lock-file protocol (Dbs_rw).
  static constexpr int kDbsOpen = 1000;
  static constexpr int kDbsClose = 1001;
  static constexpr int kDbsCreate = 1002;

  // Object types the library itself writes.
  static constexpr int kTypHall = 2;   // outcrop
  static constexpr int kTypLinje = 5;  // line

  // An empty database of the project; read-only until Init says otherwise.
  CKvarBvDbs(CProjPath* proj, CBorvIni* ini);
  CKvarBvDbs(const CKvarBvDbs&) = delete;
  CKvarBvDbs& operator=(const CKvarBvDbs&) = delete;
  // Closes the file and removes the lock when this object still holds them.
  ~CKvarBvDbs() override;

  // Sets the database path to the project's; 1 when the file exists, else 0.
  int Exist();

  // Opens (create = 0) or creates (create = 1) the database: the project's, or the file at path.
  // name names a new database (default: the project folder's name). 0 on success, -1 when it
  // cannot be opened, has a wrong version or the list is not empty, -4 when the header is short.
  int Init(int readonly, int create, const char* path = nullptr, const char* name = nullptr);

  // The lock-file protocol: kDbsOpen, kDbsCreate, kDbsClose. 0, or -1 on failure.
  int Dbs_rw(int mode);

  // Writes the current record and/or the header. Mode 0: the record (the header when it changed),
  // 1: the record and the header, 2: the header only, 3: only widens the bounding box in memory
  // by the current record. 0, -3 when read-only or the file cannot be opened, -1 without a
  // current record.
  int Uppdat(int mode);

  // Makes the record of this type (0: any type) and identifier (upper-cased in place) current.
  // 0, or -1 with the cursor where it was; a type above 8 gives -1 at once.
  int Findid(int type, char* id);
  // The same, matching the record's file offset.
  int Findobj(int type, long offset);
  // Makes the element whose record is at address current; 0, or -1 with the cursor back on the
  // mark.
  int FindNuel(unsigned long address);

  // Deletes the current record in the file and in the list. The list's Delete result, or -3
  // (nothing changed) when the deletion cannot be written.
  int Delete();
  // Removes a line's or outcrop's own file, then Delete; other types are left alone (0).
  int DeleteId();
  // Removes the current element from the list only.
  int DeletePost() { return list0<sadbstype>::Delete(); }

  // Recomputes the header's bounding box from all records and writes the header. Returns 0.
  int XYZ();

  // Mode 0: moves the database file aside as "temp.sdbs" and starts an empty one with the
  // current header texts; mode 1: removes "temp.sdbs". 0, or -3 when the database cannot be
  // opened or moved.
  int Tempfil(int mode);

  // Reads the database at path when the list is empty; otherwise opens the project's database
  // file for reading and writing and keeps it open. 0, -3 when it cannot be opened, -1 when it
  // already is.
  int Arkinit(const char* path);

  // 1 when the line program's marker "TMPCAD.PB$" lies in the project directory, else 0.
  int DbsKoll();

  // Resets a host record to its defaults. Returns 0.
  static int BhdNull(kvarbvbhdtype* rec);

  // What the last Init found wrong with the file. Each record or part it could not take is also
  // reported as a status text with the file and offset.
  struct ReadReport {
    int header_records = 0;  // records in use the header counts
    int read_records = 0;    // records taken into the list
    int deleted = 0;         // deleted records found inside the data area
    int dropped = 0;         // records in use not taken (past the data end)
    bool cut = false;        // the file ends inside a record
    bool bad_end = false;    // the header's data end could not be right and was replaced
    bool Damaged() const { return dropped > 0 || cut || bad_end || header_records != read_records; }
  };
  const ReadReport& GetReadReport() const { return m_readReport; }

  void ChangeReadWriteAccess(int readonly) { m_readonly = readonly; }
  int IsReadOnly() const { return m_readonly; }
  std::string GetDbsFileName() const { return m_dbsPath; }
  std::string GetLockFileName() const { return m_lockPath; }
  // Whether the last opening gave up because another holder kept the lock file past the wait.
  bool LockWasBusy() const { return m_lockBusy; }

  kvarhuvtype m_huv{};   // the header
  int m_postlen = 124;   // record size on disk
  CProjPath* m_proj = nullptr;  // not owned
  CBorvIni* m_ini = nullptr;    // not owned, may be null

 protected:
  // Keys 1 (ascending) and -1 (descending) by the identifier's leading number.
  int Sortval(int key) override;

 private:
  struct ReadState;

  void InitialHeader();
  void NewHeader(const char* name);
  std::string ProjectFile(const char* name) const;
  void UseProjectDatabase();
  int TakeLock();
  void ReleaseLock();
  int CreateDbsFile();
  int OpenDbsFile();
  void CloseFile();
  int ReadDatabase();
  int VersionRule();
  void ReadRecords();
  bool ReadRecordAt(long p, const unsigned char* raw, ReadState& state);
  void TakeRecord(long p, sadbstype rec, ReadState& state);
  void FinishPacking(const ReadState& state);
  void CheckCounts(const ReadState& state);
  int OpenForUpdate();
  void TakeOverOthersWrites();
  bool WidenBox(const sadbstype& rec);
  void WriteCurrent(sadbstype* rec, bool* changed);
  void WriteHeader();
  void MarkProgramWrote();
  void CountRecord(const sadbstype& rec, int step);
  int WriteDeletion(sadbstype* rec);
  void RemoveObjectFile(const sadbstype& rec);

  std::FILE* m_dbsFile = nullptr;
  std::string m_dbsPath;
  std::string m_lockPath;
  int m_readonly = 1;
  geoproj::LockHandle m_lock;
  bool m_lockBusy = false;
  bool m_unlocked = false;   // reading a read-only folder without a lock file
  bool m_justCreated = false;
  kvarhuvtype m_seenOnDisk{};  // the header as this object last read or wrote it
  ReadReport m_readReport;
};
