#include "groundwater_json.h"

#include <string>

#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_gvr_pz.h>
#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/groundwater/mtn_kol.h>
#include <geoproj/platform/vaglinje.h>

#include "json_values.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

Json Comments(const std::string (&lines)[4]) {
  Json out = Json::array();
  for (const std::string& line : lines) out.push_back(Utf8(line));
  return out;
}

Json ReadingJson(const rortype& r) {
  return {{"date_text", Utf8(r.datum)},   {"year", r.ar},
          {"month", r.man},          {"day", r.dag},
          {"level", FloatValue(r.niva)}, {"flag", Utf8(r.flagga)},
          {"time", Utf8(r.tid)},     {"status", Utf8(r.status)},
          {"comment", Utf8(r.kommentar)}};
}

Json PzReadingJson(const pzrortype& r) {
  return {{"field1", Utf8(r.falt1)}, {"field2", r.falt2}, {"field3", FloatValue(r.falt3)},
          {"field4", r.falt4},       {"field5", FloatValue(r.falt5)}, {"field6", Utf8(r.falt6)}};
}

template <class List, class ToJson>
Json Readings(List& list, ToJson toJson) {
  Json out = Json::array();
  if (list.Home() == 0) {
    do {
      out.push_back(toJson(*list.Get_aktel()));
    } while (list++);
  }
  return out;
}

Json PiezometerJson(CBorviGvrPz& pz) {
  return {{"kind", Utf8(pz.typ)},
          {"piezometer", true},
          {"created", Utf8(pz.skapad)},
          {"modified", Utf8(pz.andrad)},
          {"value1", FloatValue(pz.varde1)},
          {"value2", FloatValue(pz.varde2)},
          {"spare_value", FloatValue(pz.reserv)},
          {"value3", FloatValue(pz.varde3)},
          {"number1", pz.nummer1},
          {"number2", pz.nummer2},
          {"guid_marker", Utf8(pz.guidmark)},
          {"guid", Utf8(pz.guid)},
          {"guid_text", Utf8(pz.guidtext)},
          {"comment_lines", Comments(pz.kommentar)},
          {"readings", Readings(pz, PzReadingJson)}};
}

Json RowJson(const maetdatatype& r) {
  return {{"position", r.pos}, {"value", r.varde}, {"text", Utf8(r.text)}};
}

Json MeasurementRecordJson(const mtntype& m) {
  Json rows = Json::array();
  if (m.kol) rows = Readings(*m.kol, RowJson);
  return {{"date_text", Utf8(m.datum)},
          {"year", m.ar},          {"month", m.man},
          {"day", m.dag},          {"time", Utf8(m.tid)},
          {"flag", Utf8(m.flagga)}, {"comment", Utf8(m.kommentar)},
          {"rows", std::move(rows)}};
}

Json AlignmentJson(CVaglinje* line) {
  if (!line) return nullptr;
  return Readings(*line, [](const kovltype& p) {
    return Json{{"x", p.x}, {"y", p.y}, {"z", p.z}, {"sek", p.sek}};
  });
}

}  // namespace

Json GroundwaterJson(CBorviGvr* gvr) {
  if (!gvr) return nullptr;
  if (gvr->IsPiezometer()) return PiezometerJson(*gvr->pz);
  return {{"pipe_kind", Utf8(gvr->typ)},
          {"piezometer", false},
          {"pipe_text", Utf8(gvr->rortext)},
          {"created", Utf8(gvr->skapad)},
          {"modified", Utf8(gvr->andrad)},
          {"value1", FloatValue(gvr->varde1)},
          {"value2", FloatValue(gvr->varde2)},
          {"value3", FloatValue(gvr->varde3)},
          {"mean_level", FloatValue(gvr->medelniva)},
          {"settlement_mode", gvr->dubbmod},
          {"time_flag", gvr->tidflagga},
          {"kind_number", gvr->typnummer},
          {"guid_marker", Utf8(gvr->guidmark)},
          {"guid", Utf8(gvr->guid)},
          {"comment_lines", Comments(gvr->kommentar)},
          {"readings", Readings(*gvr, ReadingJson)}};
}

Json MeasurementJson(CBorviMtn* mtn) {
  if (!mtn) return nullptr;
  return {{"method_code", Utf8(mtn->metod)},
          {"second_word", Utf8(mtn->ord2)},
          {"text1", Utf8(mtn->text1)},
          {"text2", Utf8(mtn->text2)},
          {"text3", Utf8(mtn->text3)},
          {"number3", mtn->nummer3},
          {"number6", mtn->nummer6},
          {"created", Utf8(mtn->skapad)},
          {"modified", Utf8(mtn->andrad)},
          {"comment_lines", Comments(mtn->kommentar)},
          {"inclinometer_flag", mtn->inklinometer},
          {"road_alignment", AlignmentJson(mtn->vaglinje)},
          {"readings", Readings(*mtn, MeasurementRecordJson)}};
}

}  // namespace geoproj::tool
