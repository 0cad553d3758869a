#pragma once
#include <windows.h>

// The character height in pixels (negative, as LOGFONT wants it) of a point size on screen.
int PointsToHeight(int points);
HFONT CreateUiFont(const char* face, int height, bool bold, bool underline);
