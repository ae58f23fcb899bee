// ProjectSystem: which coordinate system a project's x and y are in, as an EPSG code: the one
// the caller names, else the coordinate-system entry of the project information. Without
// either there is none, and a project in a local system ("LOK") is told so.
#pragma once

#include <string>

class CInfoPrj;

namespace geoproj {

struct ProjectSystem {
  int epsg = -1;       // the code; -1 when there is none
  std::string source;  // where it came from, or why there is none

  // chosen: the caller's code, 0 when none was given. koord: the database header's coordinate
  // text ("LOK", "RAK"), empty without a database.
  static ProjectSystem Resolve(const CInfoPrj& info, const std::string& koord, int chosen);
  bool Known() const { return epsg > 0; }
};

}  // namespace geoproj
