#pragma once
#include <windows.h>
#include <commctrl.h>

// A command button drawn with a small glyph beside its caption. The button is an
// owner-drawn BUTTON, so its caption stays its window text and BM_CLICK works.
// The glyph list holds two images: normal, then disabled.
HIMAGELIST LoadButtonGlyph(HINSTANCE instance, int bitmapId);
void DrawPictureButton(const DRAWITEMSTRUCT& item, HIMAGELIST glyph);
