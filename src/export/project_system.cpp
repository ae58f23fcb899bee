#include <geoproj/export/project_system.h>

#include <geoproj/project/info_prj.h>

namespace geoproj {
namespace {

constexpr char kLocal[] = "LOK";

}  // namespace

// The project information names its system on purpose; the database's "LOK" is also what every
// new database starts with, so it only decides when the project information names none.
ProjectSystem ProjectSystem::Resolve(const CInfoPrj& info, const std::string& koord, int chosen) {
  if (chosen > 0) return {chosen, "--epsg " + std::to_string(chosen)};
  const int epsg = CInfoPrj::EPGSsystem(info.coordSystem);
  if (epsg > 0)
    return {epsg, std::string(CInfoPrj::FilNamn) + ": " + CInfoPrj::TextSystem(info.coordSystem)};
  if (koord == kLocal || info.coordText == kLocal)
    return {-1, "its coordinates are in a local system (LOK) that no EPSG code names; give the "
                "system they are in with --epsg N"};
  return {-1, std::string(CInfoPrj::FilNamn) +
                  " names no coordinate system; give the system the coordinates are in with "
                  "--epsg N"};
}

}  // namespace geoproj
