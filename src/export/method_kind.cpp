// The block kinds of the exports and logs. A kind joins by adding its record fields and one
// entry to Build(): nothing else names the kinds.
#include <geoproj/export/method_kind.h>

#include <cstring>
#include <string>

#include <geoproj/export/export_table.h>
#include <geoproj/export/sounding_log.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_cpt.h>
#include <geoproj/methods/karnborr.h>
#include <geoproj/methods/vatten_f.h>
#include <geoproj/sounding/borvi_dpt.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_snd.h>
#include <geoproj/sounding/borvi_total.h>

#include "export/sounding_ranges.h"

namespace geoproj {
namespace {

template <class Rec>
struct FieldOf {
  const char* name;
  ExportValue (*get)(const Rec&);
};

// Enkel, Dtrykk and Fjell records share their fields.
template <class Rec>
constexpr FieldOf<Rec> kPlainFields[] = {
    {"depth", [](const Rec& r) { return ExportValue::Float(r.djup); }},
    {"value", [](const Rec& r) { return ExportValue::Integer(r.varde); }},
    {"text", [](const Rec& r) { return ExportValue::Text(FieldText(r.text)); }}};

constexpr FieldOf<dreietype> kDreieFields[] = {
    {"depth", [](const dreietype& r) { return ExportValue::Float(r.djup); }},
    {"value", [](const dreietype& r) { return ExportValue::Integer(r.varde); }},
    {"weight", [](const dreietype& r) { return ExportValue::Text(FieldText(r.vikt)); }},
    {"text", [](const dreietype& r) { return ExportValue::Text(FieldText(r.text)); }}};

constexpr FieldOf<ramsondtype> kRamFields[] = {
    {"depth", [](const ramsondtype& r) { return ExportValue::Float(r.djup); }},
    {"value1", [](const ramsondtype& r) { return ExportValue::Integer(r.varde1); }},
    {"value2", [](const ramsondtype& r) { return ExportValue::Integer(r.varde2); }},
    {"text", [](const ramsondtype& r) { return ExportValue::Text(FieldText(r.text)); }}};

constexpr FieldOf<totaltype> kTotalFields[] = {
    {"depth", [](const totaltype& r) { return ExportValue::Float(r.djup); }},
    {"value1", [](const totaltype& r) { return ExportValue::Integer(r.varde1); }},
    {"value2", [](const totaltype& r) { return ExportValue::Integer(r.varde2); }},
    {"value3", [](const totaltype& r) { return ExportValue::Integer(r.varde3); }},
    {"mode", [](const totaltype& r) { return ExportValue::Text(FieldText(r.mod)); }},
    {"text", [](const totaltype& r) { return ExportValue::Text(FieldText(r.text)); }}};

// Doubles as the block writes them: three decimals.
constexpr FieldOf<dpttype> kDptFields[] = {
    {"value1", [](const dpttype& r) { return ExportValue::Number(r.varde1, 3); }},
    {"value2", [](const dpttype& r) { return ExportValue::Number(r.varde2, 3); }},
    {"value3", [](const dpttype& r) { return ExportValue::Number(r.varde3, 3); }},
    {"text", [](const dpttype& r) { return ExportValue::Text(FieldText(r.text)); }}};

// The three measured values of a cone penetration test, and its optional further values.
constexpr FieldOf<cpttype> kCptFields[] = {
    {"depth", [](const cpttype& r) { return ExportValue::Float(r.djup); }},
    {"cone_resistance", [](const cpttype& r) { return ExportValue::Integer(r.matvarde1); }},
    {"sleeve_friction", [](const cpttype& r) { return ExportValue::Integer(r.matvarde2); }},
    {"pore_pressure", [](const cpttype& r) { return ExportValue::Integer(r.matvarde3); }},
    {"code", [](const cpttype& r) { return ExportValue::Text(FieldText(r.kod)); }},
    {"extra", [](const cpttype& r) { return ExportValue::Integer(r.extra); }},
    {"extra1", [](const cpttype& r) { return ExportValue::Number(r.extra1, 1); }},
    {"extra2", [](const cpttype& r) { return ExportValue::Number(r.extra2, 3); }},
    {"extra3", [](const cpttype& r) { return ExportValue::Number(r.extra3, 1); }}};

// Core drilling: the drilled depth, its coded observations and the values of the extension line.
#define GEOPROJ_INT_FIELD(rec, f) {#f, [](const rec& r) { return ExportValue::Integer(r.f); }}
#define GEOPROJ_NUMBER_FIELD(rec, f, d) {#f, [](const rec& r) { return ExportValue::Number(r.f, d); }}
#define GEOPROJ_CHAR_FIELD(rec, f) \
  {#f, [](const rec& r) { return r.f == ' ' || r.f == '\0' ? ExportValue() : ExportValue::Text(std::string(1, r.f)); }}
constexpr FieldOf<kbtype> kCoreFields[] = {
    GEOPROJ_NUMBER_FIELD(kbtype, djup, 3),
    GEOPROJ_INT_FIELD(kbtype, k1), GEOPROJ_INT_FIELD(kbtype, k2), GEOPROJ_INT_FIELD(kbtype, k3),
    GEOPROJ_INT_FIELD(kbtype, k4), GEOPROJ_INT_FIELD(kbtype, k5), GEOPROJ_INT_FIELD(kbtype, k6),
    GEOPROJ_INT_FIELD(kbtype, k7), GEOPROJ_INT_FIELD(kbtype, k8), GEOPROJ_INT_FIELD(kbtype, k9),
    GEOPROJ_INT_FIELD(kbtype, k10), GEOPROJ_INT_FIELD(kbtype, k11), GEOPROJ_INT_FIELD(kbtype, k12),
    GEOPROJ_INT_FIELD(kbtype, k13), GEOPROJ_NUMBER_FIELD(kbtype, kvarde, 3),
    GEOPROJ_INT_FIELD(kbtype, k14),
    {"text", [](const kbtype& r) { return ExportValue::Text(FieldText(r.text)); }},
    GEOPROJ_CHAR_FIELD(kbtype, b1), GEOPROJ_CHAR_FIELD(kbtype, b2), GEOPROJ_CHAR_FIELD(kbtype, b3),
    GEOPROJ_CHAR_FIELD(kbtype, b4), GEOPROJ_CHAR_FIELD(kbtype, b5), GEOPROJ_CHAR_FIELD(kbtype, b6),
    GEOPROJ_NUMBER_FIELD(kbtype, e1, 3), GEOPROJ_NUMBER_FIELD(kbtype, e2, 3),
    GEOPROJ_NUMBER_FIELD(kbtype, e3, 3), GEOPROJ_NUMBER_FIELD(kbtype, e4, 3),
    GEOPROJ_NUMBER_FIELD(kbtype, e5, 3)};

// Water loss: the six values of a test section, its text and count.
constexpr FieldOf<vftype> kWaterLossFields[] = {
    GEOPROJ_NUMBER_FIELD(vftype, w1, 3), GEOPROJ_NUMBER_FIELD(vftype, w2, 3),
    GEOPROJ_NUMBER_FIELD(vftype, w3, 3), GEOPROJ_NUMBER_FIELD(vftype, w4, 3),
    GEOPROJ_NUMBER_FIELD(vftype, w5, 3), GEOPROJ_NUMBER_FIELD(vftype, w6, 3),
    {"text", [](const vftype& r) { return ExportValue::Text(FieldText(r.text)); }},
    GEOPROJ_INT_FIELD(vftype, wtal)};
#undef GEOPROJ_INT_FIELD
#undef GEOPROJ_NUMBER_FIELD
#undef GEOPROJ_CHAR_FIELD

// The block header's date and stop code, under the names each block class gives them.
template <class Block>
std::string DateOf(const Block& b) {
  if constexpr (requires { b.m_datum; })
    return FieldText(b.m_datum);
  else
    return FieldText(b.datum);
}
template <class Block>
int StopOf(const Block& b) {
  if constexpr (requires { b.m_stopp; })
    return b.m_stopp;
  else
    return b.htal2;
}
// The free text of a record, where codes are looked for.
template <class Rec>
std::string TextOf(const Rec& r) {
  if constexpr (requires { r.text; })
    return FieldText(r.text);
  else
    return FieldText(r.kod);
}

template <class Rec, std::size_t N>
std::vector<const char*> Names(const FieldOf<Rec> (&fields)[N]) {
  std::vector<const char*> names;
  for (const FieldOf<Rec>& f : fields) names.push_back(f.name);
  return names;
}

// A block read by the sounding file, as the log's block of its kind.
template <class Block, class Rec, std::size_t N>
void Collect(Block* block, const FieldOf<Rec> (&fields)[N], SoundingLog& log) {
  if (!block) return;
  SoundingBlock out;
  out.kind = MethodKind::Find(Block::kMetod);
  out.date = DateOf(*block);
  out.stop = StopOf(*block);
  if (block->Home() == 0) {
    do {
      const Rec& r = *block->Get_aktel();
      std::vector<ExportValue> values;
      values.reserve(N);
      for (const FieldOf<Rec>& f : fields) values.push_back(f.get(r));
      out.records.push_back(std::move(values));
      out.texts.push_back(TextOf(r));
    } while ((*block)++);
  }
  if (out.kind->markRanges) out.kind->markRanges(out);
  log.blocks.push_back(std::move(out));
}

std::vector<MethodKind> Build() {
  return {
      {CBorviDreie::kMetod, "Dreie", "Weight sounding", Names(kDreieFields), "depth",
       {{"value", "half-turns per 0.2 m (value)"}}, nullptr,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.dreie, kDreieFields, log); }},
      {CBorviRam::kMetod, "Ram", "Ram sounding", Names(kRamFields), "depth",
       {{"value1", "blows per 0.2 m (value1)"}}, nullptr,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.ram, kRamFields, log); }},
      {CBorviTotal::kMetod, "Total", "Total sounding", Names(kTotalFields), "depth",
       {{"value1", "push force (value1)"}}, MarkTotalRanges,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.total, kTotalFields, log); }},
      {CBorviFjell::kMetod, "Fjell", "Rock control drilling", Names(kPlainFields<fjelltype>),
       "depth", {{"value", "penetration (value)"}}, nullptr,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.fjell, kPlainFields<fjelltype>, log); }},
      {CBorviDtrykk::kMetod, "Dtrykk", "Rotary pressure sounding",
       Names(kPlainFields<dtrykktype>), "depth", {{"value", "push force (value)"}},
       MarkCodedRanges,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.dtrykk, kPlainFields<dtrykktype>, log); }},
      {CBorviEnkel::kMetod, "Enkel", "Simple sounding", Names(kPlainFields<enktype>), "depth",
       {{"value", "resistance (value)"}}, nullptr,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.enkel, kPlainFields<enktype>, log); }},
      {CBorviCpt::kMetod, "CPT", "Cone penetration test", Names(kCptFields), "depth",
       {{"cone_resistance", "cone resistance"},
        {"sleeve_friction", "sleeve friction"},
        {"pore_pressure", "pore pressure"}},
       nullptr, [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.cpt, kCptFields, log); }},
      {CBorviDpt::kMetod, "DPT", "Dynamic probing", Names(kDptFields), "value1",
       {{"value2", "blows (value2)"}, {"value3", "torque (value3)"}}, nullptr,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.dpt, kDptFields, log); }},
      // Exported, not plotted: their values have no scale of their own on a sounding log.
      {CKarnborr::kMetod, "Core drilling", "Core drilling", Names(kCoreFields), "djup", {},
       nullptr, [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.karnborr, kCoreFields, log); }},
      {CVattenF::kMetod, "Water loss", "Water loss", Names(kWaterLossFields), "w1", {}, nullptr,
       [](CBorviSnd& snd, SoundingLog& log) { Collect(snd.vattenf, kWaterLossFields, log); }},
  };
}

}  // namespace

const std::vector<MethodKind>& MethodKind::All() {
  static const std::vector<MethodKind> kinds = Build();
  return kinds;
}

const MethodKind* MethodKind::Find(int code) {
  for (const MethodKind& kind : All())
    if (kind.code == code) return &kind;
  return nullptr;
}

int MethodKind::FieldIndex(const char* field) const {
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (std::strcmp(fields[i], field) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace geoproj
