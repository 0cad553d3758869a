#include "SetupSplash.h"

#include <string>

#include "ControlIds.h"
#include "Fonts.h"
#include "FormMessages.h"
#include "Layout.h"
#include "Resources.h"
#include "TextFit.h"
#include "WindowClass.h"
#include "logic/ProductNames.h"

namespace {

constexpr const char* SplashClass = "TSplashForm";
// In 96-DPI pixels, scaled to the screen's DPI.
constexpr Box SplashBox = {0, 0, 271, 48};
constexpr Box LabelBox = {47, 17, 177, 13};
constexpr int IconLefts[] = {8, 229};
constexpr int IconTop = 8, IconSize = 32;

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
  if (message == FM_GETFONT) {
    return SendControlFont(window, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HICON AddIcon(HWND splash, HINSTANCE instance, int left, int dpi) {
  const Box box = ScaleToDpi(Box{left, IconTop, IconSize, IconSize}, dpi);
  HWND image = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON, box.left, box.top, box.width,
                               box.height, splash, reinterpret_cast<HMENU>(FixedText), instance, nullptr);
  auto icon = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(MainIcon), IMAGE_ICON, box.width, box.height, 0));
  SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  return icon;
}

}  // namespace

TSplashForm::TSplashForm(HINSTANCE instance) {
  RegisterWindowClass(instance, SplashClass, SplashProc);

  // Not yet shown, the window has the DPI of the system, which is where it will appear.
  const int dpi = WindowDpi(nullptr);
  const Box size = ScaleToDpi(SplashBox, dpi);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
  handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, SplashClass, ApplicationTitle, WS_POPUP | WS_CLIPCHILDREN, x, y,
                            size.width, size.height, nullptr, nullptr, instance, nullptr);
  font_ = CreateUiFont("MS Sans Serif", PointsToHeight(8, dpi), true, false);
  for (int left : IconLefts) {
    icons_.push_back(AddIcon(handle_, instance, left, dpi));
  }
  const std::string loading = "Loading " + std::string(ApplicationTitle) + "...";
  HWND label = CreateWindowExA(0, "STATIC", loading.c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0, handle_,
                               reinterpret_cast<HMENU>(SplashLabel), instance, nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  PlaceFitted(label, ScaleToDpi(LabelBox, dpi));
}

TSplashForm::~TSplashForm() {
  ShowWindow(handle_, SW_HIDE);
  DestroyWindow(handle_);
  DeleteObject(font_);
  for (HICON icon : icons_) DestroyIcon(icon);
}

void TSplashForm::Show() {
  ShowWindow(handle_, SW_SHOW);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
