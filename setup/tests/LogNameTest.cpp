#include "LogName.h"

#include <gtest/gtest.h>

namespace {

// /LOG alone: numbered within the day, sorting by date.
TEST(TempLogName, HoldsTheDateAndAThreeDigitNumber) {
  EXPECT_EQ(TempLogName(2026, 12, 9, 1), "Quillmark Setup Log 2026-12-09 #001.txt");
  EXPECT_EQ(TempLogName(2027, 1, 31, 42), "Quillmark Setup Log 2027-01-31 #042.txt");
  EXPECT_EQ(TempLogName(2027, 1, 31, TempLogNumbers), "Quillmark Setup Log 2027-01-31 #999.txt");
}

}  // namespace
