#include "FormMessages.h"

LRESULT SendControlFont(HWND window, WPARAM control, LPARAM asker) {
  const auto child = reinterpret_cast<HWND>(control);
  LOGFONTA font = {};
  if (!IsChild(window, child) || !IsWindow(reinterpret_cast<HWND>(asker)) ||
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font, &font) == 0) {
    return FALSE;
  }
  COPYDATASTRUCT data = {FM_GETFONT, sizeof font, &font};
  SendMessageA(reinterpret_cast<HWND>(asker), WM_COPYDATA, reinterpret_cast<WPARAM>(window),
               reinterpret_cast<LPARAM>(&data));
  return TRUE;
}
