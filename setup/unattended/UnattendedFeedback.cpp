#include "UnattendedFeedback.h"

#include "Fonts.h"
#include "Gauge.h"
#include "WindowClass.h"
#include "Layout.h"
#include "ControlIds.h"
#include "Resources.h"

namespace {

constexpr const char* ProgressClass = "TSetupProgress";

}  // namespace

UnattendedFeedback::UnattendedFeedback(HINSTANCE instance, bool showProgress) {
  if (!showProgress) return;
  RegisterFrameClass(instance, ProgressClass, DefWindowProcA, MainIcon);
  TGauge::Register(instance);

  // No system menu: the run cannot be broken off halfway.
  const DWORD style = WS_CAPTION | WS_BORDER;
  progress_ = CreateWindowExA(0, ProgressClass, ApplicationTitle, style, 0, 0, 0, 0, nullptr, nullptr, instance,
                              nullptr);
  if (progress_ == nullptr) return;  // the run goes on unseen
  // Laid out in 96-DPI pixels like the main window, and scaled to the display.
  const int dpi = WindowDpi(progress_);
  const auto scaled = [dpi](int value) { return ScaleToDpi(value, dpi); };
  RECT frame = {0, 0, scaled(360), scaled(72)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(progress_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  status_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, scaled(12), scaled(10),
                            scaled(336), scaled(16), progress_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(LabelBusy)), instance, nullptr);
  gauge_ = CreateWindowExA(0, TGauge::ClassName, "", WS_CHILD | WS_VISIBLE, scaled(12), scaled(34), scaled(336),
                           scaled(24), progress_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(Gauge)), instance,
                           nullptr);
  font_ = CreateUiFont("MS Sans Serif", PointsToHeight(8, dpi), false, false);
  SendMessageA(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ShowWindow(progress_, SW_SHOWNORMAL);
  UpdateWindow(progress_);
}

UnattendedFeedback::~UnattendedFeedback() {
  if (progress_ != nullptr) DestroyWindow(progress_);
  if (font_ != nullptr) DeleteObject(font_);
}

void UnattendedFeedback::ShowBusy(int64_t gaugeMax) {
  gaugePos_ = 0;
  if (gauge_ == nullptr) return;
  TGauge::SetMaximum(gauge_, gaugeMax);
  TGauge::SetPosition(gauge_, 0);
}

void UnattendedFeedback::AdvanceGauge(int64_t bytes) {
  gaugePos_ += bytes;
  if (gauge_ != nullptr) TGauge::SetPosition(gauge_, gaugePos_);
}

void UnattendedFeedback::ShowStatus(const std::string& text) {
  if (status_ == nullptr) return;
  SetWindowTextA(status_, text.c_str());
  RedrawWindow(progress_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// CommandFeedback has logged the box; here it is only answered.
int UnattendedFeedback::ShowMessageBox(const std::string&, const std::string&, UINT type) {
  if (type & MB_ICONERROR) ++errors_;
  return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}
