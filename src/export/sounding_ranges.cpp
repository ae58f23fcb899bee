#include "export/sounding_ranges.h"

#include <cmath>
#include <vector>

#include <geoproj/export/method_kind.h>
#include <geoproj/export/sounding_log.h>
#include <geoproj/sounding/borvi_snd.h>

namespace geoproj {
namespace {

// Whether a record's text holds a code, looked up as the sounding file looks up its codes,
// whatever the installation allows the method.
bool HoldsCode(const SoundingBlock& block, std::size_t record, const char* code) {
  int words = 0;
  return CBorviSnd::Findkod(block.kind->code, block.texts[record].c_str(), -1, &words, code,
                            "SGF", 1) != nullptr;
}

// Each marked record covers the step from the record above it down to its own depth.
std::vector<DepthRange> Ranges(const SoundingBlock& block, const std::vector<bool>& marked) {
  std::vector<DepthRange> ranges;
  double above = NAN;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    const double depth = block.Depth(i);
    if (std::isnan(depth)) continue;
    if (marked[i]) {
      const double top = std::isnan(above) ? depth : above;
      if (!ranges.empty() && ranges.back().bottom == top)
        ranges.back().bottom = depth;
      else
        ranges.push_back({top, depth});
    }
    above = depth;
  }
  return ranges;
}

// Records from the one holding start up to the one holding end (or the last).
void MarkBetween(const SoundingBlock& block, const char* start, const char* end,
                 std::vector<bool>& marked) {
  bool on = false;
  for (std::size_t i = 0; i < block.texts.size(); ++i) {
    if (HoldsCode(block, i, start)) on = true;
    if (on) marked[i] = true;
    if (HoldsCode(block, i, end)) on = false;
  }
}

}  // namespace

void MarkCodedRanges(SoundingBlock& block) {
  std::vector<bool> flushing(block.records.size()), hammering(block.records.size());
  MarkBetween(block, "S1", "S2", flushing);
  MarkBetween(block, "D1", "D2", hammering);
  block.flushing = Ranges(block, flushing);
  block.hammering = Ranges(block, hammering);
}

void MarkTotalRanges(SoundingBlock& block) {
  std::vector<bool> flushing(block.records.size()), hammering(block.records.size());
  MarkBetween(block, "S1", "S2", flushing);
  MarkBetween(block, "D1", "D2", hammering);
  const int mode = block.kind->FieldIndex("mode");
  for (std::size_t i = 0; i < block.records.size(); ++i) {
    if (block.Number(i, "value3") > 0) flushing[i] = true;
    if (mode >= 0 && block.records[i][mode].text() == "SL") hammering[i] = true;
  }
  block.flushing = Ranges(block, flushing);
  block.hammering = Ranges(block, hammering);
}

}  // namespace geoproj
