/* The smallest window that shows whether a Wine draws the child controls of a 32-bit program as
   Setup.exe has them: common controls 6 (the manifest beside it), a tab control, a button, and
   a label whose text changes while it is shown. It reads back what reached the screen over the
   tab and the button and exits 0 when both were drawn (edges and text darker than the face), 1
   when either is an empty rectangle, 2 when the window could not be made. Built for i686 and
   run by build-wine.sh; a Wine that faults on the label's new text never gets to exit. */
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

/* Pixels of the control's screen rectangle that are clearly darker than the button face. */
static int DarkPixels(HWND control) {
  RECT rect;
  HDC screen = GetDC(NULL);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  int faceLight = GetRValue(face) + GetGValue(face) + GetBValue(face), dark = 0, x, y;
  GetWindowRect(control, &rect);
  for (y = rect.top; y < rect.bottom; y += 1)
    for (x = rect.left; x < rect.right; x += 1) {
      COLORREF pixel = GetPixel(screen, x, y);
      if (pixel != CLR_INVALID && GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < faceLight - 150) dark += 1;
    }
  ReleaseDC(NULL, screen);
  return dark;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  WNDCLASSA windowClass = {0};
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
  TCITEMA item = {0};
  HWND window, tab, button, label;
  MSG message;
  DWORD end;
  int tabDark, buttonDark;
  (void)previous, (void)commandLine, (void)show;
  InitCommonControlsEx(&controls);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "TinyWindow";
  if (!RegisterClassA(&windowClass)) return 2;
  window = CreateWindowA("TinyWindow", "Tiny", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 220, NULL, NULL,
                         instance, NULL);
  tab = CreateWindowA(WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 10, 10, 290, 120, window, NULL, instance, NULL);
  button = CreateWindowA("BUTTON", "Install", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 140, 100, 30, window, NULL,
                         instance, NULL);
  label = CreateWindowA("STATIC", "Welcome", WS_CHILD | WS_VISIBLE, 120, 140, 180, 30, window, NULL, instance, NULL);
  if (!window || !tab || !button || !label) return 2;
  item.mask = TCIF_TEXT;
  item.pszText = "Welcome";
  SendMessageA(tab, TCM_INSERTITEMA, 0, (LPARAM)&item);
  /* Let it paint for a second, with a new text in the label half-way. */
  for (end = GetTickCount() + 1000; GetTickCount() < end;) {
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (end - GetTickCount() < 500) SetWindowTextA(label, "Ready to install");
    Sleep(20);
  }
  tabDark = DarkPixels(tab);
  buttonDark = DarkPixels(button);
  printf("pointer size %u, dark pixels: tab %d, button %d\n", (unsigned)sizeof(void*), tabDark, buttonDark);
  DestroyWindow(window);
  return tabDark > 20 && buttonDark > 20 ? 0 : 1;
}
