#include "method_names.h"

#include <geoproj/database/method_codes.h>

namespace geoproj::tool {

const char* MethodName(int code) { return MethodCodeName(code); }

}  // namespace geoproj::tool
