#include "DiskSpace.h"

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
