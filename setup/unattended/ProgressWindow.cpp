#include "ProgressWindow.h"

#include "Fonts.h"
#include "Gauge.h"
#include "WindowClass.h"
#include "Layout.h"
#include "window/SetupMainForm.h"

namespace {

constexpr const char* ProgressClass = "TSetupProgress";

// Pages without the window still say which check boxes start ticked.
bool StartsTicked(int id) { return id == CheckDesktop || id == CheckPrograms; }

}  // namespace

UnattendedControls::UnattendedControls(HINSTANCE instance, bool showProgress) {
  if (!showProgress) return;
  RegisterFormClass(instance, ProgressClass, DefWindowProcA);
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

UnattendedControls::~UnattendedControls() {
  if (progress_ != nullptr) DestroyWindow(progress_);
  if (font_ != nullptr) DeleteObject(font_);
}

std::string UnattendedControls::Text(int id) const {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

void UnattendedControls::SetText(int id, const std::string& text) {
  texts_[id] = text;
  // Install and Update report on one busy label, Uninstall on another.
  if (status_ != nullptr && (id == LabelBusy || id == LabelBusy2)) SetWindowTextA(status_, text.c_str());
}

bool UnattendedControls::Checked(int id) const {
  const auto found = checks_.find(id);
  return found == checks_.end() ? StartsTicked(id) : found->second;
}

void UnattendedControls::SetChecked(int id, bool checked) { checks_[id] = checked; }

bool UnattendedControls::Enabled(int id) const {
  const auto found = enabled_.find(id);
  return found == enabled_.end() || found->second;
}

void UnattendedControls::SetEnabled(int id, bool enabled) { enabled_[id] = enabled; }

void UnattendedControls::SetTabVisible(Sheet sheet, bool visible) { tabs_[static_cast<size_t>(sheet)] = visible; }

bool UnattendedControls::TabVisible(Sheet sheet) const { return tabs_[static_cast<size_t>(sheet)]; }

void UnattendedControls::SetGaugeMax(int64_t maximum) {
  if (gauge_ != nullptr) TGauge::SetMaximum(gauge_, maximum);
}

void UnattendedControls::SetGaugePos(int64_t position) {
  gaugePos_ = position;
  if (gauge_ != nullptr) TGauge::SetPosition(gauge_, position);
}

void UnattendedControls::Repaint() {
  if (progress_ != nullptr) RedrawWindow(progress_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The form has logged the box; here it is only answered.
int UnattendedControls::Message(const std::string&, const std::string&, UINT type) {
  if (type & MB_ICONERROR) ++errors_;
  return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

void UnattendedControls::Error(const std::string&) { ++errors_; }
