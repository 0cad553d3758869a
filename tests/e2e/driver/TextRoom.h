#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "driver/WindowDriver.h"

// Whether texts fit their controls, measured in the test's process with a copy of each
// control's own font, the way the control lays its text out.
namespace e2e {

// A copy of the font that control, below window (the main window or the splash), draws with;
// null when the window does not tell. The caller deletes it.
HFONT CopyControlFont(HWND window, HWND control);

// The size of text in font: on one line, or word-wrapped at wrapWidth (> 0).
SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth, UINT format = 0);

// One line for every static text, check box, button, link label and tab below the window
// whose text does not fit inside its client area at dpi (its check mark, or a picture
// button's glyph and frame, left out): "class 'text' needs WxH, has WxH".
std::vector<std::string> TextsThatDoNotFit(const WindowDriver& window, int dpi);

}  // namespace e2e
