// The readable forms of the commands' JSON: the aligned record table of `list` and the
// borehole summary of `show`. Both are made from the same JSON the --json forms print, so the
// two forms never disagree.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace geoproj::tool {

// One header line and one line per record, columns aligned.
std::string RecordTable(const nlohmann::ordered_json& records);

// Header values, one line per method block (depth range, record count), the layers.
std::string BoreholeSummary(const nlohmann::ordered_json& borehole);

}  // namespace geoproj::tool
