#include "DosTime.h"

#include <cstdio>

uint32_t PackDosDateTime(const DosDateTime& fields) {
  DosDateTime f = fields;
  if (f.Year < 1980) f = DosDateTime{};
  if (f.Year > 2107) f = DosDateTime{2107, 12, 31, 23, 59, 58};
  const uint32_t date = static_cast<uint32_t>(((f.Year - 1980) << 9) | (f.Month << 5) | f.Day);
  const uint32_t time = static_cast<uint32_t>((f.Hour << 11) | (f.Minute << 5) | (f.Second / 2));
  return date << 16 | time;
}

uint32_t DosDateTimeFromUnixUtc(int64_t seconds) {
  // Whole days and the time of day, then the civil date of the day count (proleptic
  // Gregorian, with March as the first month so that the leap day ends each year).
  int64_t days = seconds / 86400;
  int64_t secondOfDay = seconds % 86400;
  if (secondOfDay < 0) {
    secondOfDay += 86400;
    --days;
  }
  days += 719468;  // from 1970-01-01 to 0000-03-01
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  DosDateTime fields;
  fields.Year = static_cast<int>(year < 0 ? 0 : year > 9999 ? 9999 : year);
  fields.Month = month;
  fields.Day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  fields.Hour = static_cast<int>(secondOfDay / 3600);
  fields.Minute = static_cast<int>(secondOfDay / 60 % 60);
  fields.Second = static_cast<int>(secondOfDay % 60);
  return PackDosDateTime(fields);
}

bool UnpackDosDateTime(uint32_t packed, DosDateTime& fields) {
  const uint32_t date = packed >> 16;
  const uint32_t time = packed & 0xFFFF;
  DosDateTime f;
  f.Year = static_cast<int>(1980 + (date >> 9));
  f.Month = static_cast<int>((date >> 5) & 15);
  f.Day = static_cast<int>(date & 31);
  f.Hour = static_cast<int>(time >> 11);
  f.Minute = static_cast<int>((time >> 5) & 63);
  f.Second = static_cast<int>((time & 31) * 2);
  if (f.Month < 1 || f.Month > 12 || f.Day < 1 || f.Hour > 23 || f.Minute > 59 || f.Second > 59)
    return false;
  fields = f;
  return true;
}

std::string FormatDosDateTime(uint32_t packed) {
  DosDateTime f;
  if (!UnpackDosDateTime(packed, f)) return "(invalid)";
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.Year, f.Month, f.Day,
                f.Hour, f.Minute, f.Second);
  return text;
}
