// The records of a borehole database, as the JSON array of `list --json`.
#pragma once

#include <functional>

#include <nlohmann/json.hpp>

class CBorviDbs;

namespace geoproj::tool {

// Every record in list order; the database's cursor walks the list.
nlohmann::ordered_json RecordsJson(CBorviDbs& dbs);
// The same, one record at a time.
void ForEachRecordJson(CBorviDbs& dbs, const std::function<void(const nlohmann::ordered_json&)>& take);

}  // namespace geoproj::tool
