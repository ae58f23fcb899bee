// Writes a command's JSON to standard output.
#pragma once

#include <cstdio>

#include <nlohmann/json.hpp>

namespace geoproj::tool {

inline void PrintJson(const nlohmann::ordered_json& value) {
  const std::string text = value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace geoproj::tool
