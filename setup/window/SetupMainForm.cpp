#include "SetupMainForm.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "DirectoryTree.h"
#include "DriveCombo.h"
#include "logic/ErrorText.h"
#include "FormMessages.h"
#include "Gauge.h"
#include "PageWindow.h"
#include "PictureButton.h"
#include "FormControls.h"
#include "URLLabel.h"
#include "system/ActionLog.h"

namespace {

constexpr const char* FormClass = "TSetupForm";
constexpr DWORD FormStyle = WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_CLIPCHILDREN;

std::string CrcText(uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
  return text;
}

bool IsIdeCheckBox(int id) { return std::find(IdeCheckIds.begin(), IdeCheckIds.end(), id) != IdeCheckIds.end(); }

void RegisterClasses(HINSTANCE instance, WNDPROC formProc) {
  RegisterFormClass(instance, FormClass, formProc);
  PageWindow::Register(instance);
  TURLLabel::Register(instance);
  TGauge::Register(instance);
  TDirectoryTree::Register(instance);
  TDriveCombo::Register(instance);
}

}  // namespace

void RegisterFormClass(HINSTANCE instance, const char* name, WNDPROC windowProc) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

TSetupForm::TSetupForm(HINSTANCE instance, std::unique_ptr<SetupControls> unattended)
    : instance_(instance), unattended_(std::move(unattended)) {
  if (unattended_) {
    controls_ = unattended_.get();
  } else {
    impl_ = std::make_unique<Impl>();
    controls_ = impl_.get();
    RegisterClasses(instance, WindowProc);
    CreateWindowExA(WS_EX_CONTROLPARENT, FormClass, ApplicationTitle, FormStyle, 0, 0, 0, 0, nullptr, nullptr,
                    instance, this);
    if (handle_ == nullptr) {
      throw std::runtime_error("Cannot create the main window");
    }
    impl_->form = handle_;
    CreatePages();  // sizes the window for its DPI
    RECT frame;
    GetWindowRect(handle_, &frame);
    SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Guarded([this] { FormCreate(); });
}

TSetupForm::~TSetupForm() {
  if (handle_ != nullptr) {
    // The window outlives no handler, so it must not call back into a dying form.
    HWND window = handle_;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    handle_ = nullptr;
    DestroyWindow(window);
  }
}

void TSetupForm::Show() {
  impl_->shown = true;
  ShowWindow(handle_, SW_SHOW);
  UpdateWindow(handle_);
}

void TSetupForm::Close() {
  if (handle_ != nullptr) {
    DestroyWindow(handle_);
  }
}

void TSetupForm::Terminate() {
  terminated_ = true;
  // Before the loop runs a posted quit would end the first message box instead.
  if (impl_ && impl_->shown) {
    PostQuitMessage(0);
  }
}

// ---- What the commands see of the window

void TSetupForm::SetTabVisible(Sheet sheet, bool visible) { controls_->SetTabVisible(sheet, visible); }
bool TSetupForm::TabVisible(Sheet sheet) const { return controls_->TabVisible(sheet); }
void TSetupForm::SetActivePage(Sheet sheet) { controls_->SetActivePage(sheet); }
Sheet TSetupForm::ActivePage() const { return controls_->ActivePage(); }

HWND TSetupForm::Control(int id) const {
  if (!impl_) throw std::logic_error("An unattended run has no controls");
  return impl_->Control(id);
}
std::string TSetupForm::Text(int id) const { return controls_->Text(id); }

void TSetupForm::SetText(int id, const std::string& text) {
  controls_->SetText(id, text);
  // The drive selector and the tree announce their own changes; the edit's announcement
  // was held back so that the handler runs exactly once, here. Without a window there is
  // no tree to follow the field.
  if (id == EditInstallDir && impl_) {
    EditInstallDirChange();
  }
}

bool TSetupForm::Checked(int id) const { return controls_->Checked(id); }

void TSetupForm::SetChecked(int id, bool checked) {
  if (Checked(id) == checked) {
    return;
  }
  controls_->SetChecked(id, checked);
  if (IsIdeCheckBox(id)) {
    CheckDelphiClick(id);
  }
}

bool TSetupForm::Enabled(int id) const { return controls_->Enabled(id); }
void TSetupForm::SetEnabled(int id, bool enabled) { controls_->SetEnabled(id, enabled); }
void TSetupForm::SetReadOnly(int id, bool readOnly) { controls_->SetReadOnly(id, readOnly); }
void TSetupForm::Repaint() { controls_->Repaint(); }

void TSetupForm::SetGaugeMax(int64_t maximum) { controls_->SetGaugeMax(maximum); }
void TSetupForm::SetGaugePos(int64_t position) { controls_->SetGaugePos(position); }
void TSetupForm::AdvanceGauge(int64_t bytes) { controls_->SetGaugePos(controls_->GaugePos() + bytes); }

void TSetupForm::ShowError(const std::exception& error) {
  const std::string text = ErrorBoxText(error.what());
  LogAction(std::string("Error box \"") + ApplicationTitle + "\": " + text);
  controls_->Error(text);
}

int TSetupForm::Message(const std::string& text, const std::string& caption, UINT type) {
  LogAction("Message box \"" + caption + "\": " + text);
  return controls_->Message(text, caption, type);
}

// ---- Extraction progress

void TSetupForm::StatusChanged(const std::string& text) {
  SetText(LabelBusy, text);
  Repaint();
}

void TSetupForm::BytesWritten(uint32_t count) { AdvanceGauge(count); }

void TSetupForm::DirectoryCreated(const std::string& path) { LogAction("Directory created: " + path); }

void TSetupForm::FileWritten(const std::string& path, int64_t size, uint32_t crc) {
  LogAction("File written: " + path + ", " + std::to_string(size) + " bytes, CRC-32 " + CrcText(crc));
}

// ---- The window's controls

HWND TSetupForm::Impl::Control(int id) const {
  const auto found = controls.find(id);
  if (found == controls.end()) {
    throw std::logic_error("No control with ID " + std::to_string(id));
  }
  return found->second;
}

void TSetupForm::Impl::SetTabVisible(Sheet sheet, bool visible) {
  tabVisible[static_cast<size_t>(sheet)] = visible;
  RebuildTabs();
}

bool TSetupForm::Impl::TabVisible(Sheet sheet) const { return tabVisible[static_cast<size_t>(sheet)]; }

void TSetupForm::Impl::RebuildTabs() {
  TabCtrl_DeleteAllItems(tabs);
  int index = 0;
  for (size_t sheet = 0; sheet < Sheets.size(); ++sheet) {
    if (!tabVisible[sheet]) {
      continue;
    }
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(Sheets[sheet].caption);
    item.lParam = static_cast<LPARAM>(sheet);
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  SetActivePage(active);
}

void TSetupForm::Impl::SetActivePage(Sheet sheet) {
  active = sheet;
  int selected = -1;
  int index = 0;
  for (size_t page = 0; page < Sheets.size(); ++page) {
    ShowWindow(pages[page], page == static_cast<size_t>(sheet) ? SW_SHOW : SW_HIDE);
    if (tabVisible[page]) {
      if (page == static_cast<size_t>(sheet)) {
        selected = index;
      }
      ++index;
    }
  }
  TabCtrl_SetCurSel(tabs, selected);
}

Sheet TSetupForm::Impl::ActivePage() const { return active; }

std::string TSetupForm::Impl::Text(int id) const {
  HWND control = Control(id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

void TSetupForm::Impl::SetText(int id, const std::string& text) {
  HWND control = Control(id);
  programChange = true;
  SetWindowTextA(control, text.c_str());
  programChange = false;
}

bool TSetupForm::Impl::Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TSetupForm::Impl::SetChecked(int id, bool checked) {
  SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TSetupForm::Impl::Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

void TSetupForm::Impl::SetEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled ? TRUE : FALSE); }

void TSetupForm::Impl::SetReadOnly(int id, bool readOnly) {
  SendMessageA(Control(id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TSetupForm::Impl::SetBackColour(int id, COLORREF colour) {
  HWND control = Control(id);
  looks[control].background = colour;
  InvalidateRect(control, nullptr, TRUE);
}

void TSetupForm::Impl::Repaint() { RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void TSetupForm::Impl::SetGaugeMax(int64_t maximum) { TGauge::SetMaximum(Control(Gauge), maximum); }
void TSetupForm::Impl::SetGaugePos(int64_t position) { TGauge::SetPosition(Control(Gauge), position); }
int64_t TSetupForm::Impl::GaugePos() const { return TGauge::Position(Control(Gauge)); }

int TSetupForm::Impl::Message(const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxA(form, text.c_str(), caption.c_str(), type);
}

void TSetupForm::Impl::Error(const std::string& text) {
  // Before the window is shown the box has no owner, so it appears beside the splash.
  MessageBoxA(shown ? form : nullptr, text.c_str(), ApplicationTitle, MB_OK | MB_ICONERROR);
}

// ---- Messages

LRESULT CALLBACK TSetupForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TSetupForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TSetupForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    form->handle_ = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT TSetupForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      DispatchCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == impl_->tabs && header->code == TCN_SELCHANGE) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        SendMessageA(impl_->tabs, TCM_GETITEMA, static_cast<WPARAM>(TabCtrl_GetCurSel(impl_->tabs)),
                     reinterpret_cast<LPARAM>(&item));
        impl_->SetActivePage(static_cast<Sheet>(item.lParam));
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto look = impl_->looks.find(reinterpret_cast<HWND>(lParam));
      if (look == impl_->looks.end()) {
        break;
      }
      HDC dc = reinterpret_cast<HDC>(wParam);
      const COLORREF background =
          look->second.background == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : look->second.background;
      if (look->second.text != CLR_INVALID) {
        SetTextColor(dc, look->second.text);
      }
      SetBkColor(dc, background);
      return reinterpret_cast<LRESULT>(impl_->Brush(background));
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const auto glyph = impl_->glyphs.find(item->hwndItem);
      DrawPictureButton(*item, glyph == impl_->glyphs.end() ? nullptr : glyph->second);
      return TRUE;
    }
    case FM_GETBACKCOLOR:
    case FM_GETTEXTCOLOR: {
      const auto control = impl_->controls.find(static_cast<int>(wParam));
      if (control == impl_->controls.end()) {
        return static_cast<LRESULT>(CLR_INVALID);
      }
      const ControlLook look = impl_->looks.count(control->second) ? impl_->looks[control->second] : ControlLook{};
      if (message == FM_GETBACKCOLOR) {
        return look.background == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : look.background;
      }
      return look.text == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : look.text;
    }
    case FM_GETFONT:
      return SendControlFont(handle_, wParam, lParam);
    case WM_DPICHANGED: {
      // Moved to a monitor of another scaling: the system suggests where, the layout follows.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(handle_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi(HIWORD(wParam));
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

void TSetupForm::DispatchCommand(int id, int notification) {
  if (notification == BN_CLICKED) {
    if (IsIdeCheckBox(id)) {
      Guarded([this, id] { CheckDelphiClick(id); });
      return;
    }
    switch (id) {
      case NowBtn2: Guarded([this] { NowBtnClick(); }); return;
      case UpdateBtn: Guarded([this] { UpdateBtnClick(); }); return;
      case UninstallBtn: Guarded([this] { UninstallBtnClick(); }); return;
      case RunBtn: Guarded([this] { RunBtnClick(); }); return;
      case HelpBtn: Guarded([this] { HelpBtnClick(); }); return;
      case CancelBtn2:
      case CancelBtn3:
      case CancelBtn4:
      case CancelBtn5:
      case QuitBtn: Guarded([this] { QuitBtnClick(); }); return;
      default: return;
    }
  }
  if (id == EditInstallDir && notification == EN_CHANGE && !impl_->programChange) {
    Guarded([this] { EditInstallDirChange(); });
  } else if (id == ListInstallDir && notification == DTN_CHANGE) {
    Guarded([this] { ListInstallDirMoved(); });
  } else if (id == ComboInstallDrive && notification == CBN_SELCHANGE) {
    Guarded([this] { ComboInstallDriveChosen(); });
  }
}
