#include <gtest/gtest.h>

#include "DosTime.h"

namespace {

TEST(DosTime, PacksAndUnpacksTheFields) {
  const DosDateTime fields{2024, 2, 29, 13, 45, 58};
  const uint32_t packed = PackDosDateTime(fields);
  EXPECT_EQ(packed >> 16, static_cast<uint32_t>((44 << 9) | (2 << 5) | 29));
  EXPECT_EQ(packed & 0xFFFF, static_cast<uint32_t>((13 << 11) | (45 << 5) | 29));
  DosDateTime back;
  ASSERT_TRUE(UnpackDosDateTime(packed, back));
  EXPECT_EQ(FormatDosDateTime(packed), "2024-02-29 13:45:58");
  EXPECT_EQ(PackDosDateTime({2024, 2, 29, 13, 45, 59}), packed);  // odd seconds round down
}

TEST(DosTime, YearsOutsideTheRangeAreClamped) {
  EXPECT_EQ(FormatDosDateTime(PackDosDateTime({1970, 6, 1, 12, 0, 0})), "1980-01-01 00:00:00");
  EXPECT_EQ(FormatDosDateTime(PackDosDateTime({2200, 6, 1, 12, 0, 0})), "2107-12-31 23:59:58");
}

TEST(DosTime, UnixTimesConvertInUtc) {
  for (const auto& [seconds, text] : {std::pair<int64_t, const char*>{951825600, "2000-02-29 12:00:00"},
                                      {951782400, "2000-02-29 00:00:00"},
                                      {1709251199, "2024-02-29 23:59:58"}, {-86401, "1980-01-01 00:00:00"},
                                      {315532799, "1980-01-01 00:00:00"}, {INT64_MAX, "2107-12-31 23:59:58"}})
    EXPECT_EQ(FormatDosDateTime(DosDateTimeFromUnixUtc(seconds)), text) << seconds;
}

TEST(DosTime, InvalidFieldsDoNotUnpack) {
  DosDateTime fields;
  for (uint32_t packed : {0u, 0x00200000u /* day 0 */, 0x01A10000u /* month 13 */,
                          0x0021C000u /* hour 24 */, 0x00210780u /* minute 60 */}) {
    EXPECT_FALSE(UnpackDosDateTime(packed, fields)) << std::hex << packed;
    EXPECT_EQ(FormatDosDateTime(packed), "(invalid)");
  }
}

}  // namespace
