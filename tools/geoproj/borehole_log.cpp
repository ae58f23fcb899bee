#include "borehole_log.h"

#include <memory>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/sounding/borvi_snd.h>

#include "project_session.h"

namespace geoproj::tool {

bool ReadBoreholeLog(ProjectSession& session, const std::string& id, SoundingLog* log) {
  std::unique_ptr<CBorviSnd> snd = session.NewSounding(nullptr);
  const std::string name = Cp1252ToUtf8(id);
  if (snd->Init(id.c_str(), nullptr) != 0) {
    session.host().Error("borehole " + name + " could not be read");
    return false;
  }
  if (snd->m_droppedContent > 0)
    session.host().Error("borehole " + name + ": " + std::to_string(snd->m_droppedContent) +
                         " place(s) in its files could not be read; what follows lacks them");
  *log = SoundingLog::Read(*snd);
  return true;
}

}  // namespace geoproj::tool
