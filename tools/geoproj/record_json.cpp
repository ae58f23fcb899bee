#include "record_json.h"

#include <cmath>

#include <geoproj/database/borvi_dbs.h>

#include "json_values.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

Json RecordJson(CBorviDbs& dbs) {
  const bhdbstype& r = *dbs.Get_aktel();
  char kind[4] = {};
  dbs.Kod(kind);
  Json out;
  out["id"] = Utf8(r.id);
  out["kind"] = Utf8(kind);
  out["x"] = r.x;
  out["y"] = r.y;
  out["z"] = r.z;
  out["sek"] = r.sek;
  out["avst"] = r.avst;
  // An AVP point may keep a code text in these bytes instead of a depth.
  out["djup"] = std::isfinite(r.djup) ? Json(FloatValue(r.djup)) : Json(nullptr);
  out["stopp"] = r.stopp;
  out["bits"] = BitsJson(r.bit);
  out["filpos"] = r.filpos;
  out["symbol"] = dbs.NoSymb(0);
  return out;
}

}  // namespace

Json RecordsJson(CBorviDbs& dbs) {
  Json records = Json::array();
  ForEachRecordJson(dbs, [&](const Json& record) { records.push_back(record); });
  return records;
}

void ForEachRecordJson(CBorviDbs& dbs, const std::function<void(const Json&)>& take) {
  if (dbs.Home() != 0) return;
  do {
    take(RecordJson(dbs));
  } while (dbs++);
}

}  // namespace geoproj::tool
