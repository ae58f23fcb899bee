#include "measurement_slot.h"

#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>

namespace geoproj::tool {

MeasurementSlot::MeasurementSlot(CBorviSnd& snd) : snd_(snd) {
  if (!FileExists(snd.mtnfil.GetFilePath())) return;
  mtn_ = std::make_unique<CBorviMtn>(snd.option1, &snd);
  mtn_->Init(&snd.mtnfil, snd.id);
  snd.m_droppedContent += mtn_->m_droppedContent;
  snd.mtn = mtn_.get();
  snd.typ = &CBorviSnd::Mtn;
}

MeasurementSlot::~MeasurementSlot() {
  if (mtn_) snd_.mtn = nullptr;
}

}  // namespace geoproj::tool
