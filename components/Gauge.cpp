#include "Gauge.h"

#include <oleacc.h>

#include <cstdio>

#include "Accessible.h"
#include "ColourScheme.h"
#include "WindowClass.h"

namespace TGauge {
namespace {

struct State {
  int64_t position = 0;
  int64_t maximum = 0;
  int shownPercent = -1;
};

State& StateOf(HWND gauge) { return WindowState<State>(gauge); }

// Keeps the window text (what tests read) in step with the figure and repaints on change.
void ShowProgress(HWND gauge) {
  State& state = StateOf(gauge);
  const int percent = PercentDone(state.position, state.maximum);
  if (percent == state.shownPercent) {
    return;
  }
  state.shownPercent = percent;
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", percent);
  DefWindowProcA(gauge, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  InvalidateRect(gauge, nullptr, FALSE);
  UpdateWindow(gauge);
  RaiseAccessibleEvent(EVENT_OBJECT_VALUECHANGE, gauge);
}

// A progress bar whose value is the percentage shown.
AccessibleFacts Describe(HWND gauge) {
  char text[16];
  const int length = GetWindowTextA(gauge, text, sizeof text);
  return RoleNameAndValue(ROLE_SYSTEM_PROGRESSBAR, "Progress", std::string(text, static_cast<size_t>(length)));
}

void Paint(HWND gauge) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(gauge, &paint);
  RECT client;
  GetClientRect(gauge, &client);
  const State& state = StateOf(gauge);
  RECT bar = client;
  bar.right = client.left + MulDiv(client.right - client.left, state.shownPercent, 100);

  // The design's navy on aqua, or the system's highlight on its window colour.
  const bool system = SystemColoursNow();
  const COLORREF barColour = system ? GetSysColor(COLOR_HIGHLIGHT) : RGB(0, 0, 128);
  const COLORREF restColour = system ? GetSysColor(COLOR_WINDOW) : RGB(0, 255, 255);
  HBRUSH navy = CreateSolidBrush(barColour);
  HBRUSH aqua = CreateSolidBrush(restColour);
  RECT rest = client;
  rest.left = bar.right;
  FillRect(dc, &bar, navy);
  FillRect(dc, &rest, aqua);
  DeleteObject(navy);
  DeleteObject(aqua);

  char text[16];
  const int length = GetWindowTextA(gauge, text, sizeof text);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(gauge, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  // The text is drawn twice, clipped to each part, so it stays readable on both colours.
  const struct {
    RECT part;
    COLORREF color;
  } halves[] = {{bar, system ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(255, 255, 255)},
                {rest, system ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 128)}};
  for (const auto& half : halves) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, half.part.left, half.part.top, half.part.right, half.part.bottom);
    SetTextColor(dc, half.color);
    RECT area = client;
    DrawTextA(dc, text, length, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
  }
  SelectObject(dc, oldFont);
  EndPaint(gauge, &paint);
}

DWORD Half(int64_t value, WPARAM which) {
  const auto bits = static_cast<uint64_t>(value);
  return static_cast<DWORD>(which == 0 ? bits : bits >> 32);
}

LRESULT CALLBACK WindowProc(HWND gauge, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<State>(gauge, message);
  switch (message) {
    case WM_CREATE:
      MakeAccessible(gauge, Describe);
      ShowProgress(gauge);
      return 0;
    case WM_SETFONT:
      SetPropA(gauge, "Font", reinterpret_cast<HANDLE>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropA(gauge, "Font"));
    case WM_SETTEXT:
      return FALSE;  // the text is the percentage only
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(gauge);
      return 0;
    case GGM_GETPOS:
      return Half(StateOf(gauge).position, wParam);
    case GGM_GETMAX:
      return Half(StateOf(gauge).maximum, wParam);
    default:
      break;
  }
  return DefWindowProcA(gauge, message, wParam, lParam);
}

}  // namespace

void Register(HINSTANCE instance) { RegisterWindowClass(instance, ClassName, WindowProc); }

void SetMaximum(HWND gauge, int64_t maximum) {
  StateOf(gauge).maximum = maximum;
  ShowProgress(gauge);
}

void SetPosition(HWND gauge, int64_t position) {
  StateOf(gauge).position = position;
  ShowProgress(gauge);
}

int64_t Position(HWND gauge) { return StateOf(gauge).position; }
int64_t Maximum(HWND gauge) { return StateOf(gauge).maximum; }

int PercentDone(int64_t position, int64_t maximum) {
  if (maximum == 0) {
    return 0;
  }
  // Multiplying first keeps the fraction; 64 bits leave room for it up to 92 PB.
  return static_cast<int>(position * 100 / maximum);
}

}  // namespace TGauge
