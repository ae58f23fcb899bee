#include <geoproj/export/record_table.h>

#include <cmath>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/export/sounding_log.h>
#include <geoproj/foundation/text_helpers.h>

namespace geoproj {
namespace {

struct BitName {
  BhBitPlace place;
  const char* name;
};

// In the order of the status bytes.
constexpr BitName kMethodBits[] = {
    {kBitDpt, "DPT"},           {kBitSample, "samples"},       {kBitVane, "vane"},
    {kBitInterpretation, "interpretation"}, {kBitCpt, "CPT"},  {kBitWaterLoss, "water loss"},
    {kBitEnvironment, "environmental"},     {kBitDreie, "Dreie"}, {kBitEnkel, "Enkel"},
    {kBitDtrykk, "Dtrykk"},     {kBitRam, "Ram"},              {kBitTotal, "Total"},
    {kBitFjell, "Fjell"},       {kBitSampleOther, "other samples"},
    {kBitCoreDrilling, "core drilling"}};

const char* const kColumns[] = {"id",    "kind",    "x",       "y",          "z",
                                "sek",   "avst",    "depth",   "stop",       "methods",
                                "date_first", "date_last", "created", "modified"};

// Block dates as day.month.year, so that they sort and compare; one the normaliser cannot read
// stays as written.
std::string NormalDate(const std::string& date) {
  std::string fixed = date;
  return CBorviDbs::DatumFix(fixed) == 0 ? fixed : date;
}

// Day.month.year as a sortable key.
std::string DateKey(const std::string& date) {
  if (date.size() != 10 || date[2] != '.' || date[5] != '.') return date;
  return date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2);
}

void BlockDates(const SoundingLog* log, std::string* first, std::string* last) {
  if (!log) return;
  for (const SoundingBlock& block : log->blocks) {
    const std::string date = NormalDate(block.date);
    if (date.empty()) continue;
    if (first->empty() || DateKey(date) < DateKey(*first)) *first = date;
    if (last->empty() || DateKey(date) > DateKey(*last)) *last = date;
  }
}

}  // namespace

RecordTable::RecordTable() {
  table_.columns.assign(std::begin(kColumns), std::end(kColumns));
  table_.xColumn = 2;
  table_.yColumn = 3;
}

std::string RecordTable::Methods(const bhdbstype& record) {
  std::string out;
  auto add = [&out](const char* name) { out += (out.empty() ? "" : ";") + std::string(name); };
  for (const BitName& bit : kMethodBits)
    if (HasBit(record.bit, bit.place)) add(bit.name);
  const int gvr = GvrKind(record.bit);
  if (gvr == 1) add("groundwater");
  if (gvr == 4) add("measurement");
  return out;
}

void RecordTable::Add(CBorviDbs& dbs, const SoundingLog* log) {
  const bhdbstype& r = *dbs.Get_aktel();
  char kind[4] = {};
  dbs.Kod(kind);
  std::string first, last;
  BlockDates(log, &first, &last);
  auto text = [](const std::string& s) { return s.empty() ? ExportValue() : ExportValue::Text(s); };
  table_.rows.push_back({
      ExportValue::Text(FieldText(r.id)),
      ExportValue::Text(FieldText(kind)),
      ExportValue::Number(r.x, 3),
      ExportValue::Number(r.y, 3),
      ExportValue::Number(r.z, 3),
      // The database's mark for "no chainage" is no chainage.
      r.sek == CBorviDbs::m_sek_noll ? ExportValue() : ExportValue::Number(r.sek, 3),
      ExportValue::Number(r.avst, 3),
      // An AVP point may keep a code text in the depth's bytes.
      std::isfinite(r.djup) ? ExportValue::Float(r.djup) : ExportValue(),
      ExportValue::Integer(r.stopp),
      ExportValue::Utf8Text(Methods(r)),
      text(first),
      text(last),
      text(log ? log->created : std::string()),
      text(log ? log->modified : std::string()),
  });
}

}  // namespace geoproj
