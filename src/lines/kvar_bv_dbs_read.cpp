// Opening the line database: header, version rule, the records and the packing of deleted ones.
#include <geoproj/lines/kvar_bv_dbs.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

#include "lines/kvar_format.h"
#include "lines/kvar_io.h"
#include "lines/kvar_texts.h"

namespace {

using geoproj::lines::kKvarFirstRecord;
using geoproj::lines::kKvarRecordSize;
using geoproj::lines::kTitleRead;

constexpr unsigned kWarn = geoproj::kMbOk | geoproj::kMbIconExclamation;
constexpr long kRecord = static_cast<long>(kKvarRecordSize);
constexpr std::size_t kChunkRecords = 1024;

template <std::size_t N>
void FieldFromDos(char (&field)[N]) {
  field[N - 1] = '\0';
  geoproj::DosToWin(field);
}

}  // namespace

struct CKvarBvDbs::ReadState {
  std::FILE* file;
  bool pack;                        // deleted records are packed out while reading
  long packpos = kKvarFirstRecord;  // where the next record goes when packing
  long old_end = kKvarFirstRecord;
  int deleted = 0;
};

int CKvarBvDbs::Init(int readonly, int create, const char* path, const char* name) {
  if (!readonly) geoproj::RemoveFile(ProjectFile(geoproj::lines::kCadMarker));
  m_readonly = readonly;
  if (path) {
    if (m_forst) {
      geoproj::ShowMessageF(kWarn, kTitleRead, "Kan ej l\xE4sa databas: %s\nListan ej tom!", path);
      return -1;
    }
    m_dbsPath = path;
  } else {
    UseProjectDatabase();
  }
  Dbs_rw(create == 1 ? kDbsCreate : kDbsOpen);
  if (!m_dbsFile) {
    geoproj::ShowMessageF(kWarn, kTitleRead, geoproj::lines::kCannotOpen, m_dbsPath.c_str());
    return -1;
  }
  try {
    int rc = 0;
    if (create == 1 && m_justCreated) {
      NewHeader(name);
      WriteHeader();
      m_readReport = ReadReport{};
    } else {
      rc = ReadDatabase();
    }
    Dbs_rw(kDbsClose);
    return rc;
  } catch (...) {
    Dbs_rw(kDbsClose);
    throw;
  }
}

int CKvarBvDbs::ReadDatabase() {
  kvarhuvtype header;
  if (!geoproj::lines::ReadHeader(m_dbsFile, &header)) {
    geoproj::ShowMessageF(kWarn, kTitleRead, "Fel vid l\xE4sning av databas : %s", m_dbsPath.c_str());
    return -4;
  }
  FieldFromDos(header.ver);
  FieldFromDos(header.namn);
  FieldFromDos(header.text73);
  FieldFromDos(header.text97);
  FieldFromDos(header.text133);
  FieldFromDos(header.text169);
  FieldFromDos(header.text190);
  const kvarhuvtype previous = m_huv;
  m_huv = header;
  if (VersionRule() != 0) {
    m_huv = previous;
    return -1;
  }
  m_seenOnDisk = m_huv;
  ReadRecords();
  return 0;
}

int CKvarBvDbs::VersionRule() {
  const double p = std::atof(m_Dbsver);
  double text_value = 0.0;
  std::sscanf(geoproj::FieldText(m_huv.ver).c_str(), "%lf", &text_value);
  const double f = text_value + m_huv.verdec;
  const bool accepted = (std::floor(f) >= std::floor(p) && f <= p) || std::fabs(f - p) <= 0.16 ||
                        (std::floor(p) == 1.0 && f >= 0.94);
  if (accepted) return 0;
  geoproj::ShowMessageF(kWarn, kTitleRead,
                        "Fel vid l\xE4sning av databas : %s\nFelaktig version: %.1lf\nNu g\xE4ller "
                        "version: %s\nV\xE4lj Konvertera i Arkiv !",
                        m_dbsPath.c_str(), f, m_Dbsver);
  return -1;
}

void CKvarBvDbs::ReadRecords() {
  const long length = geoproj::lines::FileLength(m_dbsFile);
  const long records_end = geoproj::lines::RecordsEnd(length);
  m_readReport = ReadReport{};
  m_readReport.header_records = m_huv.antal;
  if (length > records_end) {
    m_readReport.cut = true;
    geoproj::ShowStatusF("%s, offset %ld: %ld bytes of a cut record dropped", m_dbsPath.c_str(),
                         records_end, length - records_end);
  }
  if (!geoproj::lines::SaneDataEnd(m_huv.endpos, length)) {
    m_readReport.bad_end = true;
    geoproj::ShowStatusF("%s, offset 320: data end %ld cannot be right; %ld taken instead",
                         m_dbsPath.c_str(), static_cast<long>(m_huv.endpos), records_end);
    m_huv.endpos = static_cast<std::int32_t>(records_end);
  }
  ReadState state{m_dbsFile, m_huv.antdel > 0 && !m_readonly && !m_unlocked};
  state.old_end = m_huv.endpos;
  std::vector<unsigned char> chunk(kChunkRecords * kKvarRecordSize);
  bool go_on = true;
  for (long base = kKvarFirstRecord; go_on && base < records_end;) {
    const std::size_t want = static_cast<std::size_t>(
        std::min<long>(static_cast<long>(kChunkRecords), (records_end - base) / kRecord));
    if (std::fseek(m_dbsFile, base, SEEK_SET) != 0) break;
    const std::size_t got = std::fread(chunk.data(), kKvarRecordSize, want, m_dbsFile);
    if (got == 0) break;
    for (std::size_t i = 0; i < got && go_on; ++i)
      go_on = ReadRecordAt(base + static_cast<long>(i) * kRecord, chunk.data() + i * kKvarRecordSize,
                           state);
    base += static_cast<long>(got) * kRecord;
  }
  m_readReport.deleted = state.deleted;
  CheckCounts(state);
  if (state.pack) FinishPacking(state);
}

// One record at file offset p; false when reading stops there.
bool CKvarBvDbs::ReadRecordAt(long p, const unsigned char* raw, ReadState& state) {
  sadbstype rec{};
  geoproj::lines::DecodeKvarRecord(raw, &rec);
  if (!geoproj::lines::InUse(rec)) {
    if (p < m_huv.endpos) ++state.deleted;
    return true;
  }
  // A record past the data end is one no header took in: a writer stopped between writing the
  // record and the header, and the next new record will overwrite it.
  if (p >= m_huv.endpos) {
    geoproj::ShowStatusF("%s%8s", "Kontroll av databas: stopp p\xE5 id ", rec.id);
    ++m_readReport.dropped;
    geoproj::ShowStatusF("%s, offset %ld: record %s dropped: lies past the data end; reading "
                         "stopped there",
                         m_dbsPath.c_str(), p, rec.id);
    if (geoproj::lines::g_stopPauseMs > 0) geoproj::SleepMs(geoproj::lines::g_stopPauseMs);
    return false;
  }
  TakeRecord(p, rec, state);
  return true;
}

// Packing moves a record down into the first free slot and clears its old slot right after:
// a packing stopped part-way leaves every record once in the file (at worst one twice), never
// none, and the next opening packs again.
void CKvarBvDbs::TakeRecord(long p, sadbstype rec, ReadState& state) {
  rec.filpos = static_cast<std::int32_t>(p);
  if (state.pack) {
    if (state.packpos < p) {
      geoproj::lines::WriteRecordAt(state.file, state.packpos, rec);
      geoproj::lines::WriteDeletedRecords(state.file, p, p + kRecord);
    }
    rec.filpos = static_cast<std::int32_t>(state.packpos);
    state.packpos += kRecord;
  }
  list0<sadbstype>::Ny(1, &rec);
  ++m_readReport.read_records;
}

void CKvarBvDbs::CheckCounts(const ReadState& state) {
  const long loaded = m_readReport.read_records;
  if (m_huv.antal != loaded)
    geoproj::ShowMessageF(kWarn, nullptr, "%s%ld %ld%s", "Os\xE4ker linjedatabas antal=(",
                          static_cast<long>(m_huv.antal), loaded, "), v\xE4lj Konvertera i Arkiv.");
  if (m_huv.antdel != state.deleted)
    geoproj::ShowMessageF(kWarn, nullptr, "%s%ld %ld%s", "Fel vid packning antal=(",
                          static_cast<long>(m_huv.antdel), static_cast<long>(state.deleted),
                          "), v\xE4lj Konvertera i Arkiv.");
}

// Every slot between the new and the old data end is cleared, whatever the header's deleted
// count says: a count larger than the slots freed must not clear records beyond the data end.
void CKvarBvDbs::FinishPacking(const ReadState& state) {
  m_huv.endpos = static_cast<std::int32_t>(state.packpos);
  geoproj::lines::WriteDeletedRecords(state.file, state.packpos, state.old_end);
  m_huv.antdel = 0;
  WriteHeader();
}
