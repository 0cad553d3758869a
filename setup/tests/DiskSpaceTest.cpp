#include "DiskSpace.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

TEST(KiloBytesText, TruncatesTowardZero) {
  const struct {
    int64_t bytes;
    const char* shown;
  } cases[] = {
      {0, "0 kB"},
      {1023, "0 kB"},
      {1024, "1 kB"},
      {2047, "1 kB"},
      {-1, "0 kB"},  // a failed free-space query
      {-1024, "-1 kB"},
      {-2047, "-1 kB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KiloBytesText(c.bytes), c.shown) << c.bytes;
  }
}

TEST(KiloBytesText, ShowsCountsBeyond32Bits) {
  // 5 GiB free: a 32-bit count would wrap to 1 GiB.
  EXPECT_EQ(KiloBytesText(INT64_C(5) * 1024 * 1024 * 1024), "5242880 kB");
  EXPECT_EQ(KiloBytesText(INT64_MAX), "9007199254740991 kB");
}

TEST(FreeSpaceIsEnough, EqualIsNotEnoughOneByteMoreIs) {
  const struct {
    int64_t spaceFree;
    int64_t spaceNeeded;
    bool enough;
  } cases[] = {
      {1000, 1000, false},
      {1001, 1000, true},
      {999, 1000, false},
      {-1, 0, false},  // query failed
      {0, 0, false},
      {INT64_C(3) * 1024 * 1024 * 1024, INT64_C(2) * 1024 * 1024 * 1024 + 1, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FreeSpaceIsEnough(c.spaceFree, c.spaceNeeded), c.enough)
        << c.spaceFree << " free, " << c.spaceNeeded << " needed";
  }
}

}  // namespace

namespace {

TEST(RequiredSpace, EachTickedOptionAddsExactlyItsPackageSize) {
  const std::array<int64_t, 6> sizes = {100, 2000, 30000, 400000, 0, 6000000};  // BCB10 missing: 0
  std::array<bool, 6> ticked{};
  EXPECT_EQ(RequiredSpace(5000, 700, sizes, ticked), 5700);
  ticked[2] = true;
  EXPECT_EQ(RequiredSpace(5000, 700, sizes, ticked), 5700 + 30000);
  ticked[4] = true;  // a missing package adds nothing
  EXPECT_EQ(RequiredSpace(5000, 700, sizes, ticked), 5700 + 30000);
  ticked[5] = true;
  ticked[2] = false;
  EXPECT_EQ(RequiredSpace(5000, 700, sizes, ticked), 5700 + 6000000);
  ticked.fill(true);
  EXPECT_EQ(RequiredSpace(5000, 700, sizes, ticked), 5700 + 100 + 2000 + 30000 + 400000 + 6000000);
}

TEST(RequiredSpace, SumsBeyond32BitsWithoutWrapping) {
  const std::array<int64_t, 6> sizes = {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
  std::array<bool, 6> ticked{};
  ticked.fill(true);
  EXPECT_EQ(RequiredSpace(INT32_MAX, INT32_MAX, sizes, ticked), INT64_C(8) * INT32_MAX);
}

}  // namespace
