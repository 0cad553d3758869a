#pragma once
#include <windows.h>

#include <vector>

// A painted shape behind a page's controls: a band, or a frame with rounded corners. With the
// system's colours (ColourScheme.h) only a frame's outline is drawn, in the window-text colour.
struct PageShape {
  RECT bounds;
  COLORREF fill;
  COLORREF border;  // CLR_INVALID: none
  int borderWidth;
  int corner;  // diameter of the rounded corners; 0: square
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
// Sets what a scroll area holds and the step of one line, and scrolls back to its top (so
// that its controls can be placed at their layout positions).
void SetContent(HWND scrollBox, int height, int lineHeight);
}  // namespace PageWindow
