#pragma once
#include <windows.h>

// What the screen shows, read back pixel by pixel (the windows must be painted and uncovered).
namespace e2e {

// Waits until the window's thread is idle and its pending paints are done.
void WaitForPaint(HWND window);

// The colour at a point of the screen.
COLORREF ScreenPixel(POINT point);
// The background colour of a control: the pixel one in from its top left corner, which a
// right-aligned or centred short text leaves free.
COLORREF BackgroundColour(HWND control);
// The colour of a control's ink: the commonest colour inside it other than its background.
COLORREF InkColour(HWND control);

// Which system icon a control shows, found by drawing each candidate and comparing.
enum class ShownIcon { None, Error, Warning, Question, Information };
ShownIcon IconShownBy(HWND iconControl);

}  // namespace e2e
