#include "ColourScheme.h"

#include <gtest/gtest.h>

namespace {

// The design's colours stay unless they would vanish.
TEST(ColourScheme, TakesTheSystemColoursOnHighContrastOrLightTextOnADarkFace) {
  const struct {
    const char* name;
    bool flag;
    unsigned long text, face;
    bool follow;
  } rows[] = {
      {"classic grey", false, 0x000000, 0xD4D0C8, false},
      {"white face", false, 0x000000, 0xF0F0F0, false},
      {"high contrast white", true, 0x000000, 0xFFFFFF, true},
      {"white on black, flag unknown", false, 0xFFFFFF, 0x000000, true},
      {"yellow on navy", false, 0x00FFFF, 0x800000, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FollowSystemColours(row.flag, row.text, row.face), row.follow);
  }
}

}  // namespace
