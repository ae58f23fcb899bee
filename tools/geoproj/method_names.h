// The names of the method codes, as the project's logs write them.
#pragma once

namespace geoproj::tool {

// "Unknown method" for codes without a name of their own.
const char* MethodName(int code);

}  // namespace geoproj::tool
