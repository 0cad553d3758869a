#pragma once
#include <windows.h>
#include <commctrl.h>

// A command button drawn with a small glyph beside its caption. The button is an
// owner-drawn BUTTON, so its caption stays its window text and BM_CLICK works.
// The glyph list holds two images of size x size pixels: normal, then disabled.
HIMAGELIST LoadButtonGlyph(HINSTANCE instance, int bitmapId, int size);
void DrawPictureButton(const DRAWITEMSTRUCT& item, HIMAGELIST glyph);
// Lets the button take part in the dialog manager's default-button protocol, which an
// owner-drawn button knows nothing of: it is the default button while it has the focus, and
// pageDefault makes it the one Enter presses while the focus is on no picture button beside it.
// The default button says so to WM_GETDLGCODE (DLGC_DEFPUSHBUTTON) and is drawn with a dark frame.
void MakePictureButton(HWND button, bool pageDefault);
// The glyph's size and the gap after it, in the 96-DPI pixels of the layout.
constexpr int ButtonGlyphSize = 16;
constexpr int ButtonGlyphGap = 4;
// The frame and focus rectangle around the content, likewise.
constexpr int ButtonMargin = 4;
