#include "database/leading_number.h"

#include <cerrno>
#include <cstdlib>

namespace geoproj {

long LeadingNumber(const char* text, long none) {
  if (!text) return none;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  return end == text ? none : value;
}

}  // namespace geoproj
