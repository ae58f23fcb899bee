#include <geoproj/platform/date_time.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <geoproj/platform/files.h>

namespace geoproj {
namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr double kMaxOleDays = 2958466.0;  // past 9999-12-31

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int* y, int* m, int* d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (*m <= 2));
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

DateTime FromTm(const std::tm& tm) {
  return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

bool IsValidDateTime(const DateTime& t) {
  return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
         t.minute < 60 && t.second >= 0 && t.second < 60;
}

double ToOleDate(const DateTime& t) {
  const long long days =
      DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) - kOleEpochDays;
  const double fraction = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / kSecondsPerDay;
  // Before the epoch the day counts down while the time of day still counts up.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

bool FromOleDate(double ole, DateTime* t) {
  if (!std::isfinite(ole) || ole <= -kMaxOleDays || ole >= kMaxOleDays) return false;
  long long days = static_cast<long long>(std::trunc(ole));
  long long seconds = std::llround(std::fabs(ole - static_cast<double>(days)) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++days;
  }
  CivilFromDays(days + kOleEpochDays, &t->year, &t->month, &t->day);
  t->hour = static_cast<int>(seconds / 3600);
  t->minute = static_cast<int>(seconds / 60 % 60);
  t->second = static_cast<int>(seconds % 60);
  return true;
}

DateTime LocalNow() { return LocalFromTime(std::time(nullptr)); }

DateTime LocalFromTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return FromTm(tm);
}

std::time_t TimeFromLocal(const DateTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

bool FileTimes(const std::string& path, DateTime* created, DateTime* modified) {
  FileStat st;
  if (!StatFile(path, &st)) return false;
  if (created) *created = LocalFromTime(st.created);
  if (modified) *modified = LocalFromTime(st.modified);
  return true;
}

OleDateTime MakeOleDateTime(int year, int month, int day, int hour, int minute, int second) {
  const DateTime t{year, month, day, hour, minute, second};
  if (!IsValidDateTime(t)) return OleDateTime{};
  return OleDateTime{ToOleDate(t), true};
}

namespace {

// Days since the epoch with the time of day always counting forward.
double OleLinear(double ole) {
  if (ole >= 0.0) return ole;
  const double day = std::trunc(ole);
  return day - (ole - day);
}

}  // namespace

int CompareOleDate(double a, double b) {
  constexpr double kHalfSecond = 0.5 / kSecondsPerDay;
  const double diff = OleLinear(a) - OleLinear(b);
  if (diff < -kHalfSecond) return -1;
  if (diff > kHalfSecond) return 1;
  return 0;
}

bool CalendarTimeFromLocal(const DateTime& t, std::time_t* out) {
  if (!IsValidDateTime(t)) return false;
  const std::time_t made = TimeFromLocal(t);
  if (made == static_cast<std::time_t>(-1)) {
    // -1 is also one second before 1970; tell the two apart by converting back.
    const DateTime back = LocalFromTime(made);
    if (back.year != t.year || back.month != t.month || back.day != t.day) return false;
  }
  *out = made;
  return true;
}

std::string FormatDate(const DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
  return text;
}

void FileDatesYmd(const std::string& path, char (&skapad)[11], char (&andrad)[11]) {
  DateTime created, modified;
  if (!FileTimes(path, &created, &modified)) return;
  const auto ymd = [](const DateTime& t, char (&field)[11]) {
    char text[32];
    std::snprintf(text, sizeof text, "%4d-%02d-%02d", t.year, t.month, t.day);
    const std::size_t n = std::min(std::strlen(text), sizeof field - 1);  // cut to the field
    std::memcpy(field, text, n);
    field[n] = '\0';
  };
  ymd(created, skapad);
  ymd(modified, andrad);
}

}  // namespace geoproj
