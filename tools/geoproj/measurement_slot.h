// The measurement point of a borehole as the host handles it: the sounding file does not read
// ID.MTN, so the host reads it into the measurement slot, makes the borehole a measurement
// point and empties the slot again when done.
#pragma once

#include <memory>

class CBorviMtn;
class CBorviSnd;

namespace geoproj::tool {

class MeasurementSlot {
 public:
  // Reads snd's ID.MTN, when there is one, into its measurement slot; what the file dropped
  // counts on snd.
  explicit MeasurementSlot(CBorviSnd& snd);
  ~MeasurementSlot();
  MeasurementSlot(const MeasurementSlot&) = delete;
  MeasurementSlot& operator=(const MeasurementSlot&) = delete;

 private:
  CBorviSnd& snd_;
  std::unique_ptr<CBorviMtn> mtn_;
};

}  // namespace geoproj::tool
