#pragma once
#include <windows.h>
#include <commctrl.h>

// A command button drawn with a small glyph beside its caption. The button is an
// owner-drawn BUTTON, so its caption stays its window text and BM_CLICK works.
// The glyph list holds two images of size x size pixels: normal, then disabled.
HIMAGELIST LoadButtonGlyph(HINSTANCE instance, int bitmapId, int size);
void DrawPictureButton(const DRAWITEMSTRUCT& item, HIMAGELIST glyph);
// The glyph's size and the gap after it, in the 96-DPI pixels of the layout.
constexpr int ButtonGlyphSize = 16;
constexpr int ButtonGlyphGap = 4;
// The frame and focus rectangle around the content, likewise.
constexpr int ButtonMargin = 4;
