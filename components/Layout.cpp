#include "Layout.h"

#include <algorithm>
#include <cstdlib>

int ScaleToDpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = LayoutDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / LayoutDpi : -((-product + half) / LayoutDpi));
}

Box ScaleToDpi(const Box& box, int dpi) {
  // Edges are scaled, not sizes, so that controls that touch at 96 DPI still touch.
  const int left = ScaleToDpi(box.left, dpi);
  const int top = ScaleToDpi(box.top, dpi);
  return {left, top, ScaleToDpi(box.Right(), dpi) - left, ScaleToDpi(box.Bottom(), dpi) - top};
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

Box GrowToFit(const Box& box, int neededWidth, int neededHeight, Anchor anchor, const std::vector<Box>& neighbours,
              int parentWidth) {
  if (neededWidth <= box.width && neededHeight <= box.height) {
    return box;
  }
  const int width = std::max(box.width, neededWidth);
  const int height = std::max(box.height, neededHeight);
  const int growth = width - box.width;
  const int keepLeft = box.left, keepRight = box.left - growth, centre = box.left - growth / 2;
  int lefts[3] = {keepLeft, keepRight, centre};
  if (anchor == Anchor::Right) {
    lefts[0] = keepRight, lefts[1] = keepLeft;
  } else if (anchor == Anchor::Centre) {
    lefts[0] = centre, lefts[1] = keepLeft, lefts[2] = keepRight;
  }
  for (int left : lefts) {
    const Box grown = {left, box.top, width, height};
    const bool inside = left >= 0 && grown.Right() <= parentWidth;
    const bool free = std::none_of(neighbours.begin(), neighbours.end(), [&](const Box& other) {
      return !Overlap(other, box) && Overlap(other, grown);
    });
    if (inside && free) {
      return grown;
    }
  }
  const int left = std::max(0, std::min(lefts[0], parentWidth - width));
  return {left, box.top, width, height};
}
