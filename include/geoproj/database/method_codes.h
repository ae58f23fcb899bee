// The names of the method codes, as the restore's GUID fault log writes them.
#pragma once

namespace geoproj {

// "Unknown method" for codes without a name of their own.
const char* MethodCodeName(int code);

}  // namespace geoproj
