#include "PictureButton.h"

#include "WindowClass.h"

namespace {

constexpr UINT_PTR SubclassId = 0x51504254;  // "QPBT"
// The property that marks a picture button: PlainButton, or PageDefault for the page's default.
constexpr const char* RoleProperty = "QmPictureButton";
constexpr INT_PTR PlainButton = 1;
constexpr INT_PTR PageDefault = 2;

INT_PTR RoleOf(HWND window) {
  return window != nullptr ? reinterpret_cast<INT_PTR>(GetPropA(window, RoleProperty)) : 0;
}

bool IsPictureButton(HWND window) { return RoleOf(window) != 0; }

bool IsDefault(HWND button) {
  HWND focus = GetFocus();
  if (focus == button) return true;
  const bool focusOnButtonBeside = IsPictureButton(focus) && GetParent(focus) == GetParent(button);
  return RoleOf(button) == PageDefault && !focusOnButtonBeside;
}

// The default moves with the focus: every picture button beside this one is drawn again.
void RedrawButtonsBeside(HWND button) {
  for (HWND other = GetWindow(GetParent(button), GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
    if (IsPictureButton(other)) InvalidateRect(other, nullptr, FALSE);
  }
}

LRESULT CALLBACK PictureButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (IsDefault(button) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
      RedrawButtonsBeside(button);
      return result;
    }
    case WM_NCDESTROY:
      RemovePropA(button, RoleProperty);
      RemoveWindowSubclass(button, PictureButtonProc, SubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void MakePictureButton(HWND button, bool pageDefault) {
  SetPropA(button, RoleProperty, reinterpret_cast<HANDLE>(pageDefault ? PageDefault : PlainButton));
  SetWindowSubclass(button, PictureButtonProc, SubclassId, 0);
}

HIMAGELIST LoadButtonGlyph(HINSTANCE instance, int bitmapId, int size) {
  // The strip is drawn at 16 pixels; other sizes are stretched from it when loaded.
  HBITMAP strip = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 2 * size, size, LR_CREATEDIBSECTION));
  if (strip == nullptr) {
    return nullptr;
  }
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 2, 0);
  if (list != nullptr) {
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
  }
  DeleteObject(strip);
  return list;
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, HIMAGELIST glyph) {
  HDC dc = item.hDC;
  RECT frame = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (IsDefault(item.hwndItem)) {
    // The default button's dark frame, as the system draws it around a default push button.
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&frame, -1, -1);
  }
  DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

  char caption[256];
  const int length = GetWindowTextA(item.hwndItem, caption, sizeof caption);
  RECT measured = {0, 0, 0, 0};
  DrawTextA(dc, caption, length, &measured, DT_SINGLELINE | DT_CALCRECT);
  int glyphSize = 0, glyphHeight = 0;
  if (glyph != nullptr) {
    ImageList_GetIconSize(glyph, &glyphSize, &glyphHeight);
  }
  const int gap = ScaleForWindow(item.hwndItem, ButtonGlyphGap);
  const int contentWidth = glyphSize + gap + (measured.right - measured.left);
  const int shift = pressed ? ScaleForWindow(item.hwndItem, 1) : 0;
  const int left = (frame.left + frame.right - contentWidth) / 2 + shift;
  const int middle = (frame.top + frame.bottom) / 2 + shift;

  if (glyph != nullptr) {
    ImageList_Draw(glyph, disabled ? 1 : 0, dc, left, middle - glyphSize / 2, ILD_TRANSPARENT);
  }
  RECT text = {left + glyphSize + gap, frame.top + shift, frame.right, frame.bottom + shift};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextA(dc, caption, length, &text, DT_SINGLELINE | DT_VCENTER);

  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = frame;
    const int margin = ScaleForWindow(item.hwndItem, ButtonMargin);
    InflateRect(&focus, -margin, -margin);
    DrawFocusRect(dc, &focus);
  }
}
