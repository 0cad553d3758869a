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

namespace {
// COM's window for the calls that other processes make into this thread's objects.
HWND ApartmentWindow() {
  static HWND apartment = nullptr;
  if (apartment != nullptr && IsWindow(apartment)) return apartment;
  const DWORD thread = GetCurrentThreadId();
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, "OleMainThreadWndClass", nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, "OleMainThreadWndClass", nullptr)) {
    if (GetWindowThreadProcessId(window, nullptr) == thread) return apartment = window;
  }
  return nullptr;
}
}  // namespace

void AnswerOtherPrograms() {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // handles sent messages only
  if (HWND apartment = ApartmentWindow()) {
    while (PeekMessageA(&message, apartment, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}
