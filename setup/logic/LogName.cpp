#include "LogName.h"

#include <cstdio>

#include "ProductNames.h"

std::string TempLogName(int year, int month, int day, int number) {
  char name[80];
  std::snprintf(name, sizeof name, "%s Log %04d-%02d-%02d #%03d.txt", ApplicationTitle, year, month, day, number);
  return name;
}
