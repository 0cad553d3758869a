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
