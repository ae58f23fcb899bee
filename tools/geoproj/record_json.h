// The records of a borehole database, as the JSON array of `list --json`.
#pragma once

#include <nlohmann/json.hpp>

class CBorviDbs;

namespace geoproj::tool {

// Every record in list order; the database's cursor walks the list.
nlohmann::ordered_json RecordsJson(CBorviDbs& dbs);

}  // namespace geoproj::tool
