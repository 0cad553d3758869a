#pragma once
#include <cstdint>
#include <string>

// A DOS date and time packed as the packages store it: date in the high 16 bits
// (year - 1980, month, day), time in the low 16 bits (hour, minute, seconds / 2).
struct DosDateTime {
  int Year = 1980;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

// Years outside 1980..2107 are clamped to the nearest end; odd seconds round down.
uint32_t PackDosDateTime(const DosDateTime& fields);
// A time in seconds since 1970-01-01 00:00 UTC, taken as UTC (no time zone), packed and clamped
// like PackDosDateTime: what reproducible packages store.
uint32_t DosDateTimeFromUnixUtc(int64_t seconds);
// False when a field lies outside its range (month 0, hour 25 ...): such a time is not set.
bool UnpackDosDateTime(uint32_t packed, DosDateTime& fields);
// "YYYY-MM-DD hh:mm:ss", or "(invalid)" for a value that does not unpack.
std::string FormatDosDateTime(uint32_t packed);
