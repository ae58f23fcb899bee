// Dates and times: calendar times in local time and OLE automation dates (days since
// 1899-12-30 as a double, the time of day as the fraction, whose sign is that of the day part).
#pragma once

#include <ctime>
#include <string>

namespace geoproj {

struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// OLE automation date of a date and time; the date must be valid.
double ToOleDate(const DateTime& t);
// The date and time of an OLE automation date (rounded to the second); false when out of range.
bool FromOleDate(double ole, DateTime* t);
// True when the fields form a real date and time of day.
bool IsValidDateTime(const DateTime& t);

// The current local date and time.
DateTime LocalNow();
// A calendar time (seconds since 1970, UTC) as local date and time, and back.
DateTime LocalFromTime(std::time_t t);
std::time_t TimeFromLocal(const DateTime& t);

// File times as local dates: creation time where the file system keeps one, else the
// modification time. False when the file does not exist.
bool FileTimes(const std::string& path, DateTime* created, DateTime* modified);

// "%02d.%02d.%04d" (day.month.year) of a date.
std::string FormatDate(const DateTime& t);

// The creation and last-write dates of a file as "%4d-%02d-%02d" (year-month-day), as the
// separate method files keep them; both left as they are when the file does not exist.
void FileDatesYmd(const std::string& path, char (&skapad)[11], char (&andrad)[11]);

// A moment as an OLE automation date with its status, as measurements are dated: invalid when
// the fields it was made from do not form a date and time.
struct OleDateTime {
  double dt = 0.0;
  bool valid = false;
};

// The OLE date of a date and time; invalid when the fields do not form one (a year outside
// 100 to 9999, month 13, 31 February, hour 24, ...).
OleDateTime MakeOleDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);

// Compares two moments given as OLE dates: -1 when a is earlier, 1 when later, 0 when they lie
// within half a second of each other. Before the epoch the fraction counts the other way
// (see ToOleDate), so the moments are put on one line first.
int CompareOleDate(double a, double b);

// The local calendar time of a date and time, seconds since 1970; false when the calendar
// cannot hold it.
bool CalendarTimeFromLocal(const DateTime& t, std::time_t* out);

}  // namespace geoproj
