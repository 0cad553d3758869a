#pragma once
#include <vector>

// Geometry of the window's layout, which is drawn up in pixels at 96 DPI.
constexpr int LayoutDpi = 96;

// A length of the 96-DPI layout at another DPI, rounded to the nearest pixel (halves away
// from zero, as MulDiv does).
int ScaleToDpi(int value, int dpi);

struct Box {
  int left, top, width, height;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
};
Box ScaleToDpi(const Box& box, int dpi);
bool Overlap(const Box& a, const Box& b);

// How a control's text sits in it, which decides where the control grows.
enum class Anchor { Left, Centre, Right };

// A control grown just enough to hold a text of neededWidth x neededHeight; a control that
// holds it already keeps its box. Height grows downwards. Width grows away from the anchor,
// or the other way (or both ways) when that side would run into a neighbour that did not
// overlap the control before, or out of the parent's width; when every way does, it grows
// away from the anchor, kept inside the parent.
Box GrowToFit(const Box& box, int neededWidth, int neededHeight, Anchor anchor, const std::vector<Box>& neighbours,
              int parentWidth);
