#include "SetupSplash.h"

#include "ControlIds.h"
#include "Fonts.h"
#include "Resources.h"
#include "WindowClass.h"

namespace {

constexpr const char* SplashClass = "TSplashForm";
constexpr int ClientWidth = 271;
constexpr int ClientHeight = 48;

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    // The panel that fills the window: a raised inner bevel, one pixel wide.
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void AddIcon(HWND splash, HINSTANCE instance, int x) {
  HWND image = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON, x, 8, 32, 32, splash,
                               reinterpret_cast<HMENU>(FixedText), instance, nullptr);
  SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(MainIcon))), 0);
}

}  // namespace

TSplashForm::TSplashForm(HINSTANCE instance) {
  RegisterWindowClass(instance, SplashClass, SplashProc);

  const int x = (GetSystemMetrics(SM_CXSCREEN) - ClientWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - ClientHeight) / 2;
  handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, SplashClass, "Quillmark Setup",
                            WS_POPUP | WS_CLIPCHILDREN, x, y, ClientWidth, ClientHeight, nullptr,
                            nullptr, instance, nullptr);
  font_ = CreateUiFont("MS Sans Serif", PointsToHeight(8), true, false);
  AddIcon(handle_, instance, 8);
  AddIcon(handle_, instance, 229);
  HWND label = CreateWindowExA(0, "STATIC", "Loading Quillmark Setup...", WS_CHILD | WS_VISIBLE | SS_CENTER,
                               47, 17, 177, 13, handle_, reinterpret_cast<HMENU>(SplashLabel), instance, nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

TSplashForm::~TSplashForm() {
  ShowWindow(handle_, SW_HIDE);
  DestroyWindow(handle_);
  DeleteObject(font_);
}

void TSplashForm::Show() {
  ShowWindow(handle_, SW_SHOW);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
