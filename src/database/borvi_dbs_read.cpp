// Opening the borehole database: header, version rule and the reading rules for records.
#include <geoproj/database/borvi_dbs.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>

#include "database/dbs_io.h"
#include "database/dbs_texts.h"

namespace {

using geoproj::kDbsFirstRecord;
using geoproj::kDbsRecordSize;
using geoproj::dbs::kTitleRead;

constexpr double kCurrentVersion = 3.0;
constexpr unsigned kWarn = geoproj::kMbOk | geoproj::kMbIconExclamation;
constexpr long kRecord = static_cast<long>(kDbsRecordSize);
constexpr std::size_t kChunkRecords = 1024;

// Converts a text field read from an old file in place, never past the field's end.
template <std::size_t N>
void FieldFromDos(char (&field)[N]) {
  field[N - 1] = '\0';
  geoproj::DosToWin(field);
}

bool HasKind(const bhdbstype& r) {
  const bhbit& b = r.bit;
  return (b.b[0] & 0x0F) != 0 || (b.b[1] & 0x80) != 0 || geoproj::GvrKind(b) != 0;
}

int KindCount(const bhdbstype& r) {
  const bhbit& b = r.bit;
  int n = 0;
  for (unsigned char mask : {0x01, 0x02, 0x04, 0x08})
    if (b.b[0] & mask) ++n;
  if (geoproj::GvrKind(b) != 0) ++n;
  if (b.b[1] & 0x80) ++n;
  return n;
}

// The end of the whole records the file holds (500 for a file without records).
long RecordsEnd(long length) {
  if (length <= kDbsFirstRecord) return kDbsFirstRecord;
  return kDbsFirstRecord + (length - kDbsFirstRecord) / kRecord * kRecord;
}

// An end offset that cannot be right is replaced by the end of the file's records before any
// record is judged by it: below 500 new records would overwrite the header, off the record grid
// they would overlap a record, and past the file's records they would leave a gap. Only a
// value on the grid inside the file is trusted.
std::int32_t SaneEndOffset(std::int32_t endpos, long records_end) {
  const long end = endpos;
  const bool on_grid = end >= kDbsFirstRecord && (end - kDbsFirstRecord) % kRecord == 0;
  return static_cast<std::int32_t>(on_grid && end <= records_end ? end : records_end);
}

// Without a lock file a reading is made again when a writer finished meanwhile, this often.
constexpr int kUnlockedReads = 5;

int KindTotal(const dbshuvtype& h) {
  return h.antbh + h.antavp + h.antlin + h.anthell + h.antgvr + h.antvb;
}

}  // namespace

int CBorviDbs::Init(const std::string& name, int readonly, int create, std::FILE* file) {
  return Init(readonly, create, name.c_str(), file);
}

int CBorviDbs::Init(int readonly, int create, const char* name, std::FILE* file) {
  LocaleCheckAndFix();
  m_readonly = readonly;
  if (name) {
    if (m_forst) {
      geoproj::ShowMessageF(kWarn, kTitleRead, "Kan ikke lese database: %s\nListe ej tom!", name);
      return -1;
    }
    m_dbsPath = name;
  } else {
    UseProjectDatabase();
  }
  if (!file) Dbs_rw(create == 1 ? kDbsCreate : kDbsOpen);
  std::FILE* in = file ? file : m_dbsFile;
  if (!in) {
    geoproj::ShowMessageF(kWarn, kTitleRead, "Kan ikke opne database: %s", m_dbsPath.c_str());
    return -1;
  }
  const bool own_file = file == nullptr;
  try {
    if (create == 1 && own_file && m_justCreated) {
      geoproj::dbs::WriteHeader(in, m_huv);
      return Dbs_rw(kDbsClose);
    }
    const int rc = own_file && m_unlocked ? ReadUnlocked(in, name != nullptr)
                                          : ReadDatabase(in, name != nullptr, own_file);
    if (own_file) Dbs_rw(kDbsClose);
    return rc;
  } catch (...) {
    if (own_file) Dbs_rw(kDbsClose);
    throw;
  }
}

// Without a lock file nothing keeps a writer out while the file is read. Writers raise the
// header's update number last, so a reading during which it stayed the same saw no write
// completed; otherwise the reading is undone and made again.
int CBorviDbs::ReadUnlocked(std::FILE* file, bool explicit_name) {
  const dbshuvtype before = m_huv;
  int listed = 0;
  Where(&listed);
  for (int attempt = 0; attempt < kUnlockedReads; ++attempt) {
    const int rc = ReadDatabase(file, explicit_name, true);
    if (rc != 0) return rc;
    dbshuvtype now;
    if (geoproj::dbs::ReadHeader(file, &now) && now.uppdnr == m_huv.uppdnr) return 0;
    DropRecordsAfter(listed);
    m_huv = before;
  }
  geoproj::ShowMessageF(kWarn, kTitleRead, "Kan ikke opne database: %s", m_dbsPath.c_str());
  return -1;
}

void CBorviDbs::DropRecordsAfter(int count) {
  int listed = 0;
  while (Where(&listed), listed > count) {
    End();
    list0<bhdbstype>::Delete();
  }
}

// Header, version and records. A handed-in file stays open and its lock with the caller.
int CBorviDbs::ReadDatabase(std::FILE* file, bool explicit_name, bool own_file) {
  dbshuvtype header;
  if (!geoproj::dbs::ReadHeader(file, &header)) {
    geoproj::ShowMessageF(kWarn, kTitleRead, "Feil vid innlesning av databas : %s",
                          m_dbsPath.c_str());
    return -4;
  }
  FieldFromDos(header.entrepr);
  FieldFromDos(header.projnamn);
  FieldFromDos(header.projnr);
  FieldFromDos(header.anm1);
  FieldFromDos(header.anm2);
  FieldFromDos(header.handlaggare);
  FieldFromDos(header.ritningar);
  const dbshuvtype previous = m_huv;
  m_huv = header;
  if (VersionRule() != 0) {
    m_huv = previous;
    return -1;
  }
  return ReadRecords(file, explicit_name, own_file);
}

// Accepts the header's version, upgrades a 2.x header in memory, or refuses with a message.
int CBorviDbs::VersionRule() {
  double text_version = 0.0;
  std::sscanf(geoproj::FieldText(m_huv.ver).c_str(), "%lf", &text_version);
  const double vf = text_version + m_huv.verdec;
  const double vc = kCurrentVersion;
  const double vc_whole = std::floor(vc);
  const bool accepted = (std::floor(vf) >= vc_whole && vf <= vc) || std::fabs(vf - vc) <= 0.16 ||
                        (vc_whole == 1.0 && vf >= 0.94);
  if (accepted) return 0;
  if (vc > 2.99 && vc < 4.0 && vf > 2.0 && vf < 2.4) {
    geoproj::CopyField(m_huv.ver, geoproj::Format("%.1lf", vc_whole + 0.001));
    m_huv.verdec = vc - vc_whole;
    return 0;
  }
  geoproj::ShowMessageF(kWarn, kTitleRead,
                        "Feil vid innlesning av databas : %s\nFelaktig version: %.1lf\nNu g\xE4ller "
                        "version: %.1lf\nV\xE4lj Konvertera i Arkiv !",
                        m_dbsPath.c_str(), vf, vc);
  return -1;
}

struct CBorviDbs::ReadState {
  bool writable;
  bool explicit_name;
  bool pack;                   // deleted records are packed out while reading
  long packpos = kDbsFirstRecord;
  int counted_bh = 0, counted_gvr = 0, counted_vb = 0;
  int line_answer = 0;         // the answer about line bits holds for the whole reading
};

int CBorviDbs::ReadRecords(std::FILE* file, bool explicit_name, bool own_file) {
  const long length = geoproj::dbs::FileLength(file);
  const long records_end = RecordsEnd(length);
  m_huv.endpos = SaneEndOffset(m_huv.endpos, records_end);
  m_readReport = ReadReport{};
  m_readReport.header_records = KindTotal(m_huv);
  if (length > records_end) ReportCut(records_end, length - records_end);
  ReadState state{!m_readonly, explicit_name, m_huv.antdel > 0 && !m_readonly && own_file};
  std::vector<unsigned char> chunk(kChunkRecords * kDbsRecordSize);
  bool go_on = true;
  for (long base = kDbsFirstRecord; go_on && base < records_end;) {
    const std::size_t want = static_cast<std::size_t>(
        std::min<long>(static_cast<long>(kChunkRecords), (records_end - base) / kRecord));
    if (std::fseek(file, base, SEEK_SET) != 0) break;
    const std::size_t got = std::fread(chunk.data(), kDbsRecordSize, want, file);
    if (got == 0) break;
    for (std::size_t i = 0; i < got && go_on; ++i)
      go_on = ReadRecordAt(file, base + static_cast<long>(i) * kRecord,
                           chunk.data() + i * kDbsRecordSize, state);
    base += static_cast<long>(got) * kRecord;
  }
  CorrectCounters(file, state);
  if (state.pack) {
    m_huv.endpos = static_cast<std::int32_t>(state.packpos);
    m_huv.antdel = 0;
    ++m_huv.uppdnr;
    geoproj::dbs::WriteHeader(file, m_huv);
  }
  return 0;
}

// One record at file offset p; false when reading stops there.
bool CBorviDbs::ReadRecordAt(std::FILE* file, long p, const unsigned char* raw, ReadState& state) {
  bhdbstype rec{};
  geoproj::DecodeDbsRecord(raw, &rec);
  // Empty: no identifier or no kind. Leftovers beyond the end are cleared.
  if (rec.id[0] == '\0' || !HasKind(rec)) {
    if (p >= m_huv.endpos && state.writable && raw[0] != 0)
      geoproj::dbs::WriteZerosAt(file, p, kRecord);
    return true;
  }
  // Past the end offset lies a record no header took in yet (see WriteParts): it is not
  // counted either, or the counters would count a record the next new one overwrites.
  if (p >= m_huv.endpos && !state.explicit_name) {
    geoproj::ShowMessageF(kWarn, kTitleRead, "Kontroll av database: stopp p\xE5 id %8s", rec.id);
    ReportDropped(p, rec, "lies past the header's end offset; reading stopped there");
    return false;
  }
  // Every record inside the end offset with a kind bit counts, taken or not.
  if (rec.bit.b[0] & 0x01) ++state.counted_bh;
  if (geoproj::GvrKind(rec.bit) != 0) ++state.counted_gvr;
  if (rec.bit.b[1] & 0x80) ++state.counted_vb;
  if (KindsAccepted(file, p, &rec, state)) TakeRecord(file, p, rec, state);
  return true;
}

// Exactly one kind, or the line kind besides another one cleared on the user's word.
bool CBorviDbs::KindsAccepted(std::FILE* file, long p, bhdbstype* rec, ReadState& state) {
  const int kinds = KindCount(*rec);
  if (kinds == 1) return true;
  if (kinds == 2 && geoproj::HasBit(rec->bit, geoproj::kBitLine)) {
    if (state.line_answer == 0)
      state.line_answer = geoproj::ShowMessageF(
          geoproj::kMbYesNo | geoproj::kMbIconExclamation, geoproj::dbs::kTitleCheck,
          "Fel i databas: id %8s har ocks\xE5 linjeinformation. Ta bort detta f\xF6r samtliga "
          "felaktiga?",
          rec->id);
    if (state.line_answer == geoproj::kIdYes) {
      geoproj::ClearBit(rec->bit, geoproj::kBitLine);
      if (state.writable) geoproj::dbs::WriteRecordAt(file, p, *rec);
      return true;
    }
    ReportDropped(p, *rec, "also carries line information");
    return false;
  }
  geoproj::ShowMessageF(kWarn, kTitleRead, "Feil i database: id %8s \xE4r feilaktig", rec->id);
  ReportDropped(p, *rec, "its kinds contradict each other");
  return false;
}

void CBorviDbs::TakeRecord(std::FILE* file, long p, bhdbstype rec, ReadState& state) {
  rec.filpos = static_cast<std::int32_t>(p);
  if (state.pack) {
    geoproj::dbs::WriteRecordAt(file, state.packpos, rec);
    if (state.packpos < p) geoproj::dbs::WriteZerosAt(file, p, kRecord);
    rec.filpos = static_cast<std::int32_t>(state.packpos);
    state.packpos += kRecord;
  }
  list0<bhdbstype>::Ny(1, &rec);
  ++m_readReport.read_records;
}

// The counters take what was counted: in memory after every reading, so that a read-only
// object made writable later does not write stale ones, and in the file after a writable
// reading, which says so.
void CBorviDbs::CorrectCounters(std::FILE* file, const ReadState& state) {
  const int bh = m_huv.antbh, gvr = m_huv.antgvr, vb = m_huv.antvb;
  if (state.counted_bh == bh && state.counted_gvr == gvr && state.counted_vb == vb) return;
  m_huv.antbh = static_cast<std::int16_t>(state.counted_bh);
  m_huv.antgvr = static_cast<std::int16_t>(state.counted_gvr);
  m_huv.antvb = static_cast<std::int16_t>(state.counted_vb);
  if (!state.writable) return;
  geoproj::dbs::WriteHeader(file, m_huv);
  geoproj::ShowMessageF(kWarn, kTitleRead, "%s%d %d %d %d %d %d %s",
                        "Infomation i prosjektdata ej lika med inl\xE4st", bh, state.counted_bh,
                        gvr, state.counted_gvr, vb, state.counted_vb,
                        "Projektdata har korrigerats enligt inl\xE4sta v\xE4rden");
}

void CBorviDbs::ReportDropped(long p, const bhdbstype& rec, const char* why) {
  ++m_readReport.dropped;
  geoproj::ShowStatusF("%s, offset %ld: record %s dropped: %s", m_dbsPath.c_str(), p,
                       geoproj::dbs::IdText(rec).c_str(), why);
}

void CBorviDbs::ReportCut(long p, long bytes) {
  m_readReport.cut = true;
  geoproj::ShowStatusF("%s, offset %ld: %ld bytes of a cut record dropped", m_dbsPath.c_str(), p,
                       bytes);
}
