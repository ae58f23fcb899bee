// A borehole read from its files, as the JSON object of `show --json`.
#pragma once

#include <nlohmann/json.hpp>

class CBorviSnd;

namespace geoproj::tool {

// Walks the method objects' lists (their cursors move).
nlohmann::ordered_json BoreholeJson(CBorviSnd& snd);

}  // namespace geoproj::tool
