#include "LogName.h"

#include <cstdio>

std::string TempLogName(int year, int month, int day, int number) {
  char name[64];
  std::snprintf(name, sizeof name, "Quillmark Setup Log %04d-%02d-%02d #%03d.txt", year, month, day, number);
  return name;
}
