#pragma once
#include <windows.h>

#include <cstdint>

// TGauge: the progress gauge, a horizontal navy bar on aqua with the percentage done,
// "%d%%", centred on it: position * 100 / maximum, truncated, and 0 while the maximum is 0.
// Window class "TGauge". Position and maximum are 64-bit. With the system's colours
// (ColourScheme.h) the bar takes the highlight colours on the window colour. To a screen reader
// it is a progress bar whose value is the percentage, with a value-change event as it moves.
//
// For tests in another process (both builds answer the same way):
//   GGM_GETPOS (WM_USER + 1), GGM_GETMAX (WM_USER + 2): wParam 0 returns the low 32 bits,
//   wParam 1 the high 32 bits of the position or maximum (as an unsigned DWORD).
//   WM_GETTEXT: the percentage text shown, e.g. "42%".
constexpr UINT GGM_GETPOS = WM_USER + 1;
constexpr UINT GGM_GETMAX = WM_USER + 2;

namespace TGauge {
constexpr const char* ClassName = "TGauge";
void Register(HINSTANCE instance);

void SetMaximum(HWND gauge, int64_t maximum);
void SetPosition(HWND gauge, int64_t position);
int64_t Position(HWND gauge);
int64_t Maximum(HWND gauge);
// The whole percentage shown for a position and maximum.
int PercentDone(int64_t position, int64_t maximum);
}  // namespace TGauge
