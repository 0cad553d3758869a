#include "PictureButton.h"

#include "WindowClass.h"

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
