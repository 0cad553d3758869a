#include "PageWindow.h"

#include <algorithm>

#include "ColourScheme.h"
#include "WindowClass.h"

namespace PageWindow {
namespace {

struct State {
  std::vector<PageShape> shapes;
  int contentHeight = 0;
  int lineHeight = 13;
  int scrollPos = 0;
};

State& StateOf(HWND page) { return WindowState<State>(page); }

void PaintShapes(HWND page, HDC dc) {
  RECT client;
  GetClientRect(page, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // With the system's colours the shapes keep their outlines only, in the window-text colour.
  const bool system = SystemColoursNow();
  for (const PageShape& shape : StateOf(page).shapes) {
    HBRUSH fill = CreateSolidBrush(system ? GetSysColor(COLOR_BTNFACE) : shape.fill);
    const COLORREF borderColour = system ? GetSysColor(COLOR_WINDOWTEXT) : shape.border;
    HPEN border = shape.border == CLR_INVALID ? static_cast<HPEN>(GetStockObject(NULL_PEN))
                                              : CreatePen(PS_INSIDEFRAME, shape.borderWidth, borderColour);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HGDIOBJ oldPen = SelectObject(dc, border);
    const RECT& r = shape.bounds;
    if (shape.corner != 0) {
      RoundRect(dc, r.left, r.top, r.right, r.bottom, shape.corner, shape.corner);
    } else {
      // A null pen draws one pixel short on the right and bottom.
      Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 1);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
    if (shape.border != CLR_INVALID) {
      DeleteObject(border);
    }
  }
}

void UpdateScrollBar(HWND box) {
  State& state = StateOf(box);
  RECT client;
  GetClientRect(box, &client);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = std::max(0, state.contentHeight - 1);
  info.nPage = static_cast<UINT>(client.bottom);
  info.nPos = state.scrollPos;
  SetScrollInfo(box, SB_VERT, &info, TRUE);
}

void ScrollTo(HWND box, int position) {
  State& state = StateOf(box);
  RECT client;
  GetClientRect(box, &client);
  position = std::max(0, std::min(position, state.contentHeight - static_cast<int>(client.bottom)));
  const int delta = state.scrollPos - position;
  if (delta == 0) {
    return;
  }
  state.scrollPos = position;
  ScrollWindowEx(box, 0, delta, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  UpdateScrollBar(box);
}

void Scroll(HWND box, WORD request) {
  const State& state = StateOf(box);
  RECT client;
  GetClientRect(box, &client);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(box, SB_VERT, &info);
  const int line = state.lineHeight;
  switch (request) {
    case SB_LINEUP: ScrollTo(box, state.scrollPos - line); break;
    case SB_LINEDOWN: ScrollTo(box, state.scrollPos + line); break;
    case SB_PAGEUP: ScrollTo(box, state.scrollPos - client.bottom); break;
    case SB_PAGEDOWN: ScrollTo(box, state.scrollPos + client.bottom); break;
    case SB_TOP: ScrollTo(box, 0); break;
    case SB_BOTTOM: ScrollTo(box, state.contentHeight); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(box, info.nTrackPos); break;
    default: break;
  }
}

// Brings a control that has just received the focus wholly into the visible part of the area.
void ScrollIntoView(HWND box, HWND control) {
  RECT visible, rect;
  GetClientRect(box, &visible);
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
  const int position = StateOf(box).scrollPos;
  if (rect.top < visible.top) {
    ScrollTo(box, position + rect.top - visible.top);
  } else if (rect.bottom > visible.bottom) {
    ScrollTo(box, position + rect.bottom - visible.bottom);
  }
}

LRESULT CALLBACK WindowProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<State>(page, message);
  switch (message) {
    case WM_ERASEBKGND:
      PaintShapes(page, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_VSCROLL:
      Scroll(page, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const State& state = StateOf(page);
      ScrollTo(page, state.scrollPos - GET_WHEEL_DELTA_WPARAM(wParam) * state.lineHeight * 3 / WHEEL_DELTA);
      return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_DRAWITEM:
      // The main window handles every control, wherever it sits.
      return SendMessageA(GetAncestor(page, GA_ROOT), message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(page, message, wParam, lParam);
}

// A scroll area is a page whose keyboard order runs through its controls, and which follows
// the focus: a control reached by Tab may lie outside the part that is shown.
LRESULT CALLBACK ScrollBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(box, GWL_EXSTYLE, GetWindowLongPtrA(box, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  } else if (message == WM_COMMAND && (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == EN_SETFOCUS)) {
    ScrollIntoView(box, reinterpret_cast<HWND>(lParam));
  }
  return WindowProc(box, message, wParam, lParam);
}

}  // namespace

void Register(HINSTANCE instance) {
  RegisterWindowClass(instance, PageClass, WindowProc);
  RegisterWindowClass(instance, ScrollBoxClass, ScrollBoxProc);
}

void SetShapes(HWND page, std::vector<PageShape> shapes) { StateOf(page).shapes = std::move(shapes); }

void SetContent(HWND scrollBox, int height, int lineHeight) {
  ScrollTo(scrollBox, 0);
  State& state = StateOf(scrollBox);
  state.contentHeight = height;
  state.lineHeight = lineHeight;
  UpdateScrollBar(scrollBox);
}

}  // namespace PageWindow
