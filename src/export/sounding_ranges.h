// The depth ranges a sounding was driven with flushing or hammering, as a log marks them beside
// the push force.
#pragma once

namespace geoproj {

struct SoundingBlock;

// From the record codes: S1 starts flushing and S2 ends it, D1 starts hammering and D2 ends it.
void MarkCodedRanges(SoundingBlock& block);
// The codes, and a total sounding's own values: a flushing value (value3) above 0, and the
// hammering mode "SL" of the older format.
void MarkTotalRanges(SoundingBlock& block);

}  // namespace geoproj
