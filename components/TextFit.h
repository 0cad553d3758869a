#pragma once
#include <windows.h>

#include "Layout.h"

// A control that holds a text keeps the box the layout gives it unless its text, in its own
// font, needs more room; then it grows just enough (GrowToFit), and it follows every later
// change of its text from that same box, so a figure that shrinks again looks as before.
// The box is in the pixels of the window's DPI.
void PlaceFitted(HWND control, const Box& box);

// The room the text of a control needs inside it, with its own font; {0, 0} for a control
// without a text of its own (an icon, a rule, an edit field, a list, a group box's frame).
SIZE TextRoomNeeded(HWND control);

// Where the text of a check box starts, in the 96-DPI pixels of the layout.
constexpr int CheckMarkWidth = 17;
