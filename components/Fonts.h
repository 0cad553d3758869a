#pragma once
#include <windows.h>

// The character height in pixels (negative, as LOGFONT wants it) of a point size at a DPI.
int PointsToHeight(int points, int dpi);
HFONT CreateUiFont(const char* face, int height, bool bold, bool underline);
