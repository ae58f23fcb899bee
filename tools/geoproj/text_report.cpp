#include "text_report.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include <geoproj/foundation/text_helpers.h>

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

// Chainage of a record or borehole without one.
constexpr double kNoChainage = 9999999.0;

std::string Number(const Json& value, int decimals) {
  if (!value.is_number()) return "-";
  return Format("%.*f", decimals, value.get<double>());
}

std::string Chainage(const Json& value) {
  return value.is_number() && value.get<double>() < kNoChainage ? Number(value, 3) : "none";
}

std::string Bits(const Json& bits) {
  std::string out;
  for (const Json& b : bits) out += Format("%s%02X", out.empty() ? "" : " ", b.get<int>());
  return out;
}

// Display width of UTF-8 text: one column per character.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Cell(const std::string& text, std::size_t width, bool right) {
  const std::string fill(width > Width(text) ? width - Width(text) : 0, ' ');
  return right ? fill + text : text + fill;
}

std::vector<std::string> RecordRow(const Json& r) {
  return {r["id"].get<std::string>(), r["kind"].get<std::string>(), Number(r["x"], 3),
          Number(r["y"], 3), Number(r["z"], 3), Chainage(r["sek"]), Number(r["avst"], 3),
          Number(r["djup"], 2), std::to_string(r["stopp"].get<int>()), Bits(r["bits"]),
          std::to_string(r["filpos"].get<long>())};
}

// The depth of a record: CPT, core-drilling, environmental and vane records keep it as "djup",
// water-loss records as the start of the section measured ("w1"), DPT records as their first
// value.
const Json& Depth(const Json& record) {
  for (const char* key : {"djup", "depth", "w1"})
    if (record.contains(key)) return record[key];
  return record["value1"];
}

std::string MethodLine(const Json& m) {
  const Json& records = m["records"];
  std::string range = "no records";
  if (!records.empty())
    range = Number(Depth(records.front()), 2) + " - " + Number(Depth(records.back()), 2) + " m";
  const Json& stop = m["stop_code"];
  return Format("  %-3d %-12s %-10s stop %-3s %-3s  %-17s %zu records\n", m["code"].get<int>(),
                m["name"].get<std::string>().c_str(), m["date"].get<std::string>().c_str(),
                stop.is_number() ? std::to_string(stop.get<int>()).c_str() : "-",
                m["code_system"].get<std::string>().c_str(), range.c_str(), records.size());
}

std::string LayerLine(const Json& layer) {
  std::string line = Format("  %-11s %9s  index %-2d code %d source %d",
                            layer["namn"].get<std::string>().c_str(),
                            Number(layer["niva"], 2).c_str(), layer["index"].get<int>(),
                            layer["nivakod"].get<int>(), layer["nivakalla"].get<int>());
  for (const char* key : {"nivatext", "kommentar"})
    if (!layer[key].get<std::string>().empty()) line += "  " + layer[key].get<std::string>();
  return line + "\n";
}

std::string InterpretationLines(const Json& tlk) {
  if (tlk.is_null()) return "Interpretation: none\n";
  const std::size_t n = tlk["layers"].size();
  std::string out = "Interpretation: " + std::to_string(n) + (n == 1 ? " layer" : " layers");
  if (tlk["gvy"].get<double>() != 0.0) out += ", groundwater level " + Number(tlk["gvy"], 2);
  out += "\n";
  for (const Json& layer : tlk["layers"]) out += LayerLine(layer);
  return out;
}

std::string SampleLines(const Json& samples) {
  if (samples.is_null()) return "Samples: none\n";
  const Json& records = samples["records"];
  std::string out = "Samples: " + std::to_string(records.size()) + ", dated " +
                    samples["datum"].get<std::string>() + "\n";
  for (const Json& r : records)
    out += Format("  %-3s %7s m  %s\n", r["metod"].get<std::string>().c_str(),
                  Number(r["djup"], 2).c_str(), r["text"].get<std::string>().c_str());
  return out;
}

// Said only for the boreholes that have them.
std::string GroundwaterLines(const Json& g) {
  if (g.is_null()) return "";
  const Json& kind = g.contains("pipe_kind") ? g["pipe_kind"] : g["kind"];
  std::string out = "Groundwater: " + kind.get<std::string>() + ", " +
                    std::to_string(g["readings"].size()) + " readings";
  if (g.contains("pipe_text") && !g["pipe_text"].get<std::string>().empty())
    out += " (" + g["pipe_text"].get<std::string>() + ")";
  return out + "\n";
}

std::string MeasurementLines(const Json& m) {
  if (m.is_null()) return "";
  return "Measurements: " + m["method_code"].get<std::string>() + ", " +
         std::to_string(m["readings"].size()) + " measurements\n";
}

// A block kept in a file of its own: how many records, from which depth to which.
std::string SeparateLine(const char* title, const Json& block, const std::string& detail) {
  if (block.is_null()) return "";
  const Json& records = block["records"];
  std::string out = std::string(title) + ": " + std::to_string(records.size()) + " records";
  if (!records.empty())
    out += ", " + Number(records.front()["djup"], 2) + " - " + Number(records.back()["djup"], 2) +
           " m";
  return out + detail + "\n";
}

std::string SeparateLines(const Json& b) {
  std::string out;
  if (b.contains("environmental"))
    out += SeparateLine("Environmental data", b["environmental"], "");
  if (b.contains("vane") && !b["vane"].is_null())
    out += SeparateLine("Vane tests", b["vane"],
                        ", vane " + b["vane"]["vinge"].get<std::string>() + " no. " +
                            std::to_string(b["vane"]["vingenr"].get<int>()));
  return out;
}

}  // namespace

std::string RecordTable(const Json& records) {
  const std::vector<std::string> head = {"id", "kind", "x", "y", "z", "sek", "avst", "djup",
                                         "stopp", "bits", "filpos"};
  // Identifier, kind and bits read from the left; numbers align on the right.
  const std::vector<bool> right = {false, false, true, true, true, true, true, true, true,
                                   false, true};
  std::vector<std::vector<std::string>> rows{head};
  for (const Json& r : records) rows.push_back(RecordRow(r));
  std::vector<std::size_t> widths(head.size(), 0);
  for (const auto& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i)
      line += (i ? "  " : "") + Cell(row[i], widths[i], right[i]);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

std::string BoreholeSummary(const Json& b) {
  std::string out = "Borehole " + b["id"].get<std::string>() + "\n";
  out += "  x " + Number(b["x"], 3) + "  y " + Number(b["y"], 3) + "  z " + Number(b["z"], 3) +
         "  chainage " + Chainage(b["sek"]) + "  offset " + Number(b["avst"], 3) + "\n";
  out += "  start depth " + Number(b["start_depth"], 2) + "  direction " +
         std::to_string(b["direction"].get<int>()) + "  inclination " +
         Number(b["inclination"], 1) + "\n";
  for (const Json& c : b["comments"])
    if (!c.get<std::string>().empty()) out += "  comment: " + c.get<std::string>() + "\n";
  out += "  GUID " + b["guid"].get<std::string>() + "  (" + b["origin"].get<std::string>() +
         ")\n";
  out += "  created " + b["created"].get<std::string>() + "  modified " +
         b["modified"].get<std::string>() + "  bits " + Bits(b["bits"]) + "\n";
  out += "Methods: " + std::to_string(b["methods"].size()) + "\n";
  for (const Json& m : b["methods"]) out += MethodLine(m);
  return out + InterpretationLines(b["interpretation"]) + SampleLines(b["samples"]) +
         GroundwaterLines(b["groundwater"]) + MeasurementLines(b["measurement"]) +
         SeparateLines(b);
}

}  // namespace geoproj::tool
