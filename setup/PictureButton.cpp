#include "PictureButton.h"

namespace {
constexpr int GlyphSize = 16;
constexpr int GlyphGap = 4;
}  // namespace

HIMAGELIST LoadButtonGlyph(HINSTANCE instance, int bitmapId) {
  return ImageList_LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), GlyphSize, 0, RGB(255, 0, 255),
                              IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, HIMAGELIST glyph) {
  HDC dc = item.hDC;
  RECT frame = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

  char caption[256];
  const int length = GetWindowTextA(item.hwndItem, caption, sizeof caption);
  RECT measured = {0, 0, 0, 0};
  DrawTextA(dc, caption, length, &measured, DT_SINGLELINE | DT_CALCRECT);
  const int contentWidth = GlyphSize + GlyphGap + (measured.right - measured.left);
  const int shift = pressed ? 1 : 0;
  const int left = (frame.left + frame.right - contentWidth) / 2 + shift;
  const int middle = (frame.top + frame.bottom) / 2 + shift;

  if (glyph != nullptr) {
    ImageList_Draw(glyph, disabled ? 1 : 0, dc, left, middle - GlyphSize / 2, ILD_TRANSPARENT);
  }
  RECT text = {left + GlyphSize + GlyphGap, frame.top + shift, frame.right, frame.bottom + shift};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextA(dc, caption, length, &text, DT_SINGLELINE | DT_VCENTER);

  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = frame;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}
