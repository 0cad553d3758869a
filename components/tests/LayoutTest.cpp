#include "Layout.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleToDpi, KeepsTheLayoutAt96AndRoundsElsewhere) {
  const struct {
    int value, dpi, scaled;
  } cases[] = {
      {13, 96, 13}, {468, 96, 468}, {-13, 96, -13}, {0, 144, 0},
      {13, 120, 16},  // 16.25
      {21, 120, 26},  // 26.25
      {2, 120, 3},    // 2.5 rounds up
      {13, 144, 20},  // 19.5 rounds up
      {-13, 144, -20}, {7, 144, 11}, {289, 144, 434}, {13, 192, 26},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
  }
}

TEST(ScaleToDpi, ScalesEdgesSoThatTouchingControlsStillTouch) {
  // "Into:" ends where its field begins.
  const Box label = ScaleToDpi(Box{14, 22, 20, 13}, 120), field = ScaleToDpi(Box{34, 19, 200, 19}, 120);
  EXPECT_EQ(label.Right(), field.left);
  EXPECT_EQ(label.left, 18);
  EXPECT_EQ(label.width, 25);
}

TEST(GrowToFit, GrowsOnlyAsMuchAsTheTextNeedsAndOnlyWhereThereIsRoom) {
  const Box label = {122, 186, 64, 13};
  const Box caption = {8, 186, 110, 13}, button = {244, 162, 208, 27};
  const struct {
    const char* why;
    Anchor anchor;
    int width, height;
    std::vector<Box> neighbours;
    Box grown;
  } cases[] = {
      {"fits: unchanged", Anchor::Right, 64, 13, {caption}, label},
      {"right-aligned grows leftwards", Anchor::Right, 90, 13, {}, {96, 186, 90, 13}},
      {"left-aligned grows rightwards", Anchor::Left, 90, 13, {}, {122, 186, 90, 13}},
      {"centred grows both ways", Anchor::Centre, 74, 13, {}, {117, 186, 74, 13}},
      {"taller text grows downwards", Anchor::Left, 60, 26, {}, {122, 186, 64, 26}},
      {"caption on the left: grows rightwards", Anchor::Right, 93, 13, {caption, button}, {122, 186, 93, 13}},
      {"neighbours on both sides: centred", Anchor::Right, 70, 13, {{60, 186, 59, 13}, {189, 186, 10, 13}},
       {119, 186, 70, 13}},
      {"no room anywhere: away from the anchor, inside the parent", Anchor::Left, 200, 13, {caption, button},
       {122, 186, 200, 13}},
  };
  for (const auto& c : cases) {
    const Box grown = GrowToFit(label, c.width, c.height, c.anchor, c.neighbours, 460);
    EXPECT_EQ((std::vector<int>{grown.left, grown.top, grown.width, grown.height}),
              (std::vector<int>{c.grown.left, c.grown.top, c.grown.width, c.grown.height}))
        << c.why;
  }
  // A neighbour it already overlapped (the group box around a check box) does not count.
  const Box group = {8, 74, 284, 76}, check = {18, 88, 268, 17};
  EXPECT_EQ(GrowToFit(check, 272, 17, Anchor::Left, {group}, 460).left, 18);
  // At the parent's right edge a left-aligned control grows leftwards.
  EXPECT_EQ(GrowToFit({400, 0, 50, 13}, 80, 13, Anchor::Left, {}, 460).left, 370);
}

}  // namespace
