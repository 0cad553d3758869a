#pragma once
#include <windows.h>

#include <vector>

// A painted shape behind a page's controls: a band, or a frame with rounded corners.
struct PageShape {
  RECT bounds;
  COLORREF fill;
  COLORREF border;  // CLR_INVALID: none
  int borderWidth;
  bool rounded;
};

// The window class of the pages ("TTabSheet") and of scrollable areas ("TScrollBox"): a
// plain face-coloured area that paints its shapes and passes its controls' notifications
// on to the main window. With WS_VSCROLL and a content height, its controls scroll; Tab runs
// through them, and the one that takes the focus is scrolled into view.
namespace PageWindow {
constexpr const char* PageClass = "TTabSheet";
constexpr const char* ScrollBoxClass = "TScrollBox";
void Register(HINSTANCE instance);

void SetShapes(HWND page, std::vector<PageShape> shapes);
void SetContentHeight(HWND scrollBox, int height);
}  // namespace PageWindow
