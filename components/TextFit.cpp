#include "TextFit.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "PictureButton.h"
#include "URLLabel.h"
#include "WindowClass.h"

namespace {

// Measures text with the control's font; width 0 measures one line, else word-wrapped.
SIZE MeasureText(HWND control, const std::string& text, int wrapWidth, UINT format) {
  HDC dc = GetDC(control);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT rect = {0, 0, wrapWidth, 0};
  format |= DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SelectObject(dc, oldFont);
  ReleaseDC(control, dc);
  return {rect.right, rect.bottom};
}

SIZE StaticRoomNeeded(HWND control, const std::string& text, LONG style) {
  const LONG type = style & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) {
    return {0, 0};
  }
  const UINT format = (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
  const SIZE line = MeasureText(control, text, 0, format);
  RECT client;
  GetClientRect(control, &client);
  // A label one line high stays one line and grows sideways; a taller one wraps and grows down.
  if (client.bottom < 2 * line.cy) {
    return line;
  }
  return MeasureText(control, text, client.right, format);
}

SIZE ButtonRoomNeeded(HWND control, const std::string& text, LONG style) {
  const auto scaled = [control](int value) { return ScaleForWindow(control, value); };
  const SIZE line = MeasureText(control, text, 0, 0);
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return {scaled(CheckMarkWidth) + line.cx, line.cy};
    case BS_OWNERDRAW:
      return {2 * scaled(ButtonMargin) + scaled(ButtonGlyphSize + ButtonGlyphGap) + line.cx,
              2 * scaled(ButtonMargin) + line.cy};
    default:
      return {0, 0};
  }
}

std::string ClassOf(HWND control) {
  char name[32] = {};
  GetClassNameA(control, name, sizeof name);
  return name;
}

bool IsClass(HWND control, const char* name) { return lstrcmpiA(ClassOf(control).c_str(), name) == 0; }

// Where the text sits decides which way the control grows first.
Anchor AnchorOf(HWND control) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (IsClass(control, "BUTTON")) {
    return (style & BS_TYPEMASK) == BS_OWNERDRAW ? Anchor::Centre : Anchor::Left;
  }
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: return Anchor::Centre;
    case SS_RIGHT: return Anchor::Right;
    default: return Anchor::Left;
  }
}

void Fit(HWND control, const Box& box) {
  const SIZE needed = TextRoomNeeded(control);
  HWND parent = GetParent(control);
  RECT frame, client, parentClient;
  GetWindowRect(control, &frame);
  GetClientRect(control, &client);
  GetClientRect(parent, &parentClient);
  std::vector<Box> neighbours;
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != control) {
      RECT rect;
      GetWindowRect(sibling, &rect);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
      neighbours.push_back({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    }
  }
  // The text needs client room; borders come on top.
  const int borderWidth = (frame.right - frame.left) - client.right;
  const int borderHeight = (frame.bottom - frame.top) - client.bottom;
  const Box grown = GrowToFit(box, needed.cx + borderWidth, needed.cy + borderHeight, AnchorOf(control), neighbours,
                              parentClient.right);
  SetWindowPos(control, nullptr, grown.left, grown.top, grown.width, grown.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The control's layout box lives in a window property, freed with the window.
constexpr const char* BoxProperty = "QmLayoutBox";

LRESULT CALLBACK FollowText(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  auto* box = static_cast<Box*>(GetPropA(control, BoxProperty));
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, FollowText, id);
    RemovePropA(control, BoxProperty);
    delete box;
    return DefSubclassProc(control, message, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
  if (message == WM_SETTEXT && box != nullptr) {
    Fit(control, *box);
  }
  return result;
}

}  // namespace

SIZE TextRoomNeeded(HWND control) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  if (text.empty()) {
    return {0, 0};
  }
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (IsClass(control, "STATIC")) {
    return StaticRoomNeeded(control, text, style);
  }
  if (IsClass(control, "BUTTON")) {
    return ButtonRoomNeeded(control, text, style);
  }
  if (IsClass(control, TURLLabel::ClassName)) {
    return MeasureText(control, text, 0, DT_NOPREFIX);
  }
  return {0, 0};
}

void PlaceFitted(HWND control, const Box& box) {
  auto* kept = static_cast<Box*>(GetPropA(control, BoxProperty));
  if (kept == nullptr) {
    kept = new Box(box);
    SetPropA(control, BoxProperty, kept);
    SetWindowSubclass(control, FollowText, 0, 0);
  }
  *kept = box;
  // Placed first at its box, so that its client area is the box's and the text is measured there.
  SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
  Fit(control, box);
}
