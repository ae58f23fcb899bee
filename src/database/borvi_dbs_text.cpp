// Identifier validation, date normalisation and the decimal point of number conversions.
#include <geoproj/database/borvi_dbs.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/date_time.h>

namespace {

bool IsIdChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// An integer read as "%d" reads it: blanks, a sign, digits. Saturates instead of overflowing.
bool ReadInt(const std::string& text, long* n) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  *n = std::strtol(begin, &end, 10);
  return end != begin;
}

bool DecimalPointIsDot() {
  const std::lconv* conv = std::localeconv();
  return conv && conv->decimal_point && std::strcmp(conv->decimal_point, ".") == 0;
}

}  // namespace

int CBorviDbs::ValidIdNamn(const char* id) {
  if (!id) return -1;
  std::string text = id;
  if (text.empty() || text.size() > 8) return -1;
  geoproj::UpperId(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool last = i + 1 == text.size();
    if (!IsIdChar(text[i]) && !(last && text[i] == '+')) return -1;
  }
  return 0;
}

int CBorviDbs::DatumFix(char* date) {
  if (!date) return -1;
  std::string text = date;
  const int rc = DatumFix(text);
  std::memcpy(date, text.c_str(), text.size() + 1);
  return rc;
}

int CBorviDbs::DatumFix(std::string& date) {
  if (date.size() == 1) date.clear();
  date.resize(std::strspn(date.c_str(), "0123456789-."));
  if (date.empty()) return -1;
  long n = 0;
  if (ReadInt(date, &n)) {
    if (n >= 19000001 && n < 21000000) {
      // yyyymmdd as it is
    } else if (date.size() == 6 && n >= 101) {
      n += n < 140000 ? 20000000 : 19000000;
    } else {
      n = 0;
    }
    if (n)
      date = geoproj::FormatDate({static_cast<int>(n / 10000), static_cast<int>(n % 10000 / 100),
                                  static_cast<int>(n % 100)});
  }
  if (date.size() > 10) date.resize(10);
  return 0;
}

// "English" is the locale's name on the desktop platform; where no locale of that name
// exists, the classic "C" locale gives the same decimal point.
int CBorviDbs::LocaleCheckAndFix() {
  if (DecimalPointIsDot()) return 0;
  if (!std::setlocale(LC_NUMERIC, "English")) std::setlocale(LC_NUMERIC, "C");
  return DecimalPointIsDot() ? 0 : -1;
}
