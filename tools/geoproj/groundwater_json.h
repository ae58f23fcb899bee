// A borehole's groundwater pipe (or settlement point, or piezometer) and its measurements as
// the JSON of `show --json`: the header fields and the readings under "readings", keyed by the
// names of the fields in snake case ("pipe_kind", "mean_level", "date_text"); null when the
// borehole has none.
#pragma once

#include <nlohmann/json.hpp>

class CBorviGvr;
class CBorviMtn;

namespace geoproj::tool {

// Walk the lists (their cursors move).
nlohmann::ordered_json GroundwaterJson(CBorviGvr* gvr);
nlohmann::ordered_json MeasurementJson(CBorviMtn* mtn);

}  // namespace geoproj::tool
