#include "SetupMainForm.h"

#include "StartChild.h"

#include <algorithm>
#include <stdexcept>

#include "DirectoryTree.h"
#include "DriveCombo.h"
#include "FormControls.h"
#include "FormMessages.h"
#include "Gauge.h"
#include "PageWindow.h"
#include "PictureButton.h"
#include "Resources.h"
#include "URLLabel.h"
#include "WindowClass.h"
#include "logic/DiskSpace.h"

namespace {

constexpr const char* FormClass = "TSetupForm";
constexpr DWORD FormStyle = WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_CLIPCHILDREN;

// The index of id in ids, or -1.
int IndexOf(const std::array<int, IdeOptionCount>& ids, int id) {
  const auto found = std::find(ids.begin(), ids.end(), id);
  return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

void RegisterClasses(HINSTANCE instance, WNDPROC formProc) {
  RegisterFrameClass(instance, FormClass, formProc, MainIcon);
  PageWindow::Register(instance);
  TURLLabel::Register(instance);
  TGauge::Register(instance);
  TDirectoryTree::Register(instance);
  TDriveCombo::Register(instance);
}

Sheet SheetOf(OfferedPage page) {
  switch (page) {
    case OfferedPage::Welcome: return Sheet::Welcome;
    case OfferedPage::Delphi: return Sheet::Delphi;
    case OfferedPage::Install: return Sheet::Install;
    case OfferedPage::Update: return Sheet::Update;
    case OfferedPage::Uninstall: return Sheet::Uninstall;
    case OfferedPage::Nothing: return Sheet::Nothing;
  }
  return Sheet::Welcome;
}

}  // namespace

TSetupForm::TSetupForm(HINSTANCE instance)
    : instance_(instance), run_(*this), controls_(std::make_unique<FormControls>()) {
  RegisterClasses(instance, WindowProc);
  CreateWindowExA(WS_EX_CONTROLPARENT, FormClass, ApplicationTitle, FormStyle, 0, 0, 0, 0, nullptr, nullptr,
                  instance, this);
  if (handle_ == nullptr) {
    throw std::runtime_error("Cannot create the main window");
  }
  controls_->form = handle_;
  CreatePages();  // sizes the window for its DPI
  RECT frame;
  GetWindowRect(handle_, &frame);
  SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  controls_->shown = true;
  ShowWindow(handle_, SW_SHOW);
  UpdateWindow(handle_);
}

void TSetupForm::Close() {
  if (handle_ != nullptr) {
    DestroyWindow(handle_);
  }
}

// ---- Start-up

void TSetupForm::FormCreate() {
  SetActivePage(Sheet::Welcome);
  SetTabVisible(Sheet::Busy, false);
  SetTabVisible(Sheet::Finished, false);
  bool proceed = false;
  try {
    proceed = run_.Analyse();
  } catch (const std::exception&) {
    // The version read before the error stays on show, as it was read.
    if (!run_.Model.PackageVersion.empty()) SetText(LabelVersion, run_.Model.PackageVersion);
    throw;
  }
  if (!proceed) {
    terminated_ = true;
    return;
  }
  ShowModel();
  started_ = true;
}

void TSetupForm::ShowModel() {
  // A copy: the controls' handlers write their changes back into the model as they go.
  const RunModel model = run_.Model;
  if (run_.PackageFound) {
    SetText(LabelVersion, model.PackageVersion);
    SetText(ComboInstallDrive, run_.DefaultBaseDir.substr(0, 1));
  }
  ShowChoices(model);
  ShowSpaceNeeded();
  if (run_.Pages.SetsUpdateLabels) {
    SetText(LabelOldVersion, model.InstalledVersion);
    SetText(LabelInstallVersion, model.PackageVersion);
  }
  for (int page = 0; page < OfferedPageCount; ++page)
    SetTabVisible(SheetOf(static_cast<OfferedPage>(page)), run_.Pages.IsShown(static_cast<OfferedPage>(page)));
  SetActivePage(SheetOf(run_.Pages.Current));
}

void TSetupForm::ShowChoices(const RunModel& model) {
  if (!model.InstallDir.empty() && Text(EditInstallDir) != model.InstallDir) SetText(EditInstallDir, model.InstallDir);
  for (int i = 0; i < IdeOptionCount; ++i) {
    const IdeChoice& option = model.Ide[i];
    SetEnabled(IdeCheckIds[i], option.PackageUsable);
    SetChecked(IdeCheckIds[i], option.Chosen);
    SetText(IdeEditIds[i], option.Directory);
    SetReadOnly(IdeEditIds[i], option.Recorded);
  }
  SetChecked(CheckDesktop, model.Shortcuts.Desktop);
  SetChecked(CheckStartMenu, model.Shortcuts.StartMenu);
  SetChecked(CheckPrograms, model.Shortcuts.Programs);
}

void TSetupForm::ApplySwitches(const SetupSwitches& switches) {
  if (!started_) return;  // start-up failed: there is nothing to choose
  RunModel model = run_.Model;
  ::ApplySwitches(model, switches);  // raises, changing nothing, for an option it cannot install
  ShowChoices(model);
  // No control shows whose share the run is: the model keeps it.
  run_.Model.Scope = model.Scope;
  if (switches.Uninstall) SetActivePage(SheetOf(OpeningPage(run_.Pages, true)));
}

// ---- Pages and controls

void TSetupForm::SetTabVisible(Sheet sheet, bool visible) {
  controls_->tabVisible[static_cast<size_t>(sheet)] = visible;
  controls_->RebuildTabs();
}

void TSetupForm::SetActivePage(Sheet sheet) { controls_->SetActivePage(sheet); }

HWND TSetupForm::Control(int id) const { return controls_->Control(id); }

std::string TSetupForm::Text(int id) const {
  HWND control = Control(id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

void TSetupForm::SetText(int id, const std::string& text) {
  HWND control = Control(id);
  controls_->programChange = true;
  SetWindowTextA(control, text.c_str());
  controls_->programChange = false;
  TakeIntoModel(id);
  // The drive selector and the tree announce their own changes; the edit's announcement
  // was held back so that the handler runs exactly once, here.
  if (id == EditInstallDir) EditInstallDirChange();
}

bool TSetupForm::Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TSetupForm::SetChecked(int id, bool checked) {
  if (Checked(id) == checked) return;
  SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  TakeIntoModel(id);
  if (IndexOf(IdeCheckIds, id) >= 0) CheckDelphiClick(id);
}

void TSetupForm::SetEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled ? TRUE : FALSE); }

void TSetupForm::SetReadOnly(int id, bool readOnly) {
  SendMessageA(Control(id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TSetupForm::Repaint() { RedrawWindow(handle_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void TSetupForm::TakeIntoModel(int id) {
  RunModel& model = run_.Model;
  if (id == EditInstallDir) {
    model.InstallDir = Text(id);
  } else if (const int edit = IndexOf(IdeEditIds, id); edit >= 0) {
    model.Ide[edit].Directory = Text(id);
  } else if (const int check = IndexOf(IdeCheckIds, id); check >= 0) {
    model.Ide[check].Chosen = Checked(id);
  } else if (id == CheckDesktop) {
    model.Shortcuts.Desktop = Checked(id);
  } else if (id == CheckStartMenu) {
    model.Shortcuts.StartMenu = Checked(id);
  } else if (id == CheckPrograms) {
    model.Shortcuts.Programs = Checked(id);
  }
}

// ---- What the commands show

void TSetupForm::ShowBusy(int64_t gaugeMax) {
  SetTabVisible(Sheet::Busy, true);
  SetActivePage(Sheet::Busy);
  TGauge::SetMaximum(Control(Gauge), gaugeMax);
  TGauge::SetPosition(Control(Gauge), 0);
  Repaint();
}

void TSetupForm::BusyStatus(const std::string& text) {
  SetText(LabelBusy, text);
  Repaint();
}

void TSetupForm::UninstallStatus(const std::string& text) {
  SetText(LabelBusy2, text);
  Repaint();
}

void TSetupForm::AdvanceGauge(int64_t bytes) {
  HWND gauge = Control(Gauge);
  TGauge::SetPosition(gauge, TGauge::Position(gauge) + bytes);
}

void TSetupForm::ShowFinished() {
  // Elevated with no desktop shell of the user's (SYSTEM with a window, no Explorer): the
  // buttons start nothing, and the page says where the user starts Quillmark instead.
  if (!CanStartChildren()) SetText(LabelStartFrom, StartYourselfText("start " + run_.InstallationDir + "Quillmk.exe"));
  for (Sheet sheet : {Sheet::Welcome, Sheet::Delphi, Sheet::Install, Sheet::Update, Sheet::Uninstall, Sheet::Busy})
    SetTabVisible(sheet, false);
  SetTabVisible(Sheet::Finished, true);
  SetActivePage(Sheet::Finished);
}

int TSetupForm::ShowMessageBox(const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxA(handle_, text.c_str(), caption.c_str(), type);
}

void TSetupForm::ErrorBox(const std::string& text) {
  // Before the window is shown the box has no owner, so it appears beside the splash.
  MessageBoxA(controls_->shown ? handle_ : nullptr, text.c_str(), ApplicationTitle, MB_OK | MB_ICONERROR);
}

// ---- The buttons of the commands

void TSetupForm::NowBtnClick() {
  try {
    run_.Install();
  } catch (const EOptionsClash&) {
    SetActivePage(Sheet::Delphi);  // where the clashing directories are
    throw;
  }
}

void TSetupForm::UpdateBtnClick() { run_.Update(); }

void TSetupForm::UninstallBtnClick() { run_.Uninstall(); }

// ---- The window's controls

HWND FormControls::Control(int id) const {
  const auto found = controls.find(id);
  if (found == controls.end()) {
    throw std::logic_error("No control with ID " + std::to_string(id));
  }
  return found->second;
}

void FormControls::RebuildTabs() {
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

void FormControls::SetActivePage(Sheet sheet) {
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

void FormControls::SetBackColour(int id, COLORREF colour) {
  HWND control = Control(id);
  looks[control].background = colour;
  InvalidateRect(control, nullptr, TRUE);
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
      if (header->hwndFrom == controls_->tabs && header->code == TCN_SELCHANGE) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        SendMessageA(controls_->tabs, TCM_GETITEMA, static_cast<WPARAM>(TabCtrl_GetCurSel(controls_->tabs)),
                     reinterpret_cast<LPARAM>(&item));
        controls_->SetActivePage(static_cast<Sheet>(item.lParam));
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto look = controls_->looks.find(reinterpret_cast<HWND>(lParam));
      if (look == controls_->looks.end()) {
        break;
      }
      HDC dc = reinterpret_cast<HDC>(wParam);
      const COLORREF background =
          look->second.background == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : look->second.background;
      if (look->second.text != CLR_INVALID) {
        SetTextColor(dc, look->second.text);
      }
      SetBkColor(dc, background);
      return reinterpret_cast<LRESULT>(controls_->Brush(background));
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const auto glyph = controls_->glyphs.find(item->hwndItem);
      DrawPictureButton(*item, glyph == controls_->glyphs.end() ? nullptr : glyph->second);
      return TRUE;
    }
    case FM_GETBACKCOLOR:
    case FM_GETTEXTCOLOR: {
      const auto control = controls_->controls.find(static_cast<int>(wParam));
      if (control == controls_->controls.end()) {
        return static_cast<LRESULT>(CLR_INVALID);
      }
      const ControlLook look = controls_->looks.count(control->second) ? controls_->looks[control->second] : ControlLook{};
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
    if (IndexOf(IdeCheckIds, id) >= 0) {
      TakeIntoModel(id);
      Guarded([this, id] { CheckDelphiClick(id); });
      return;
    }
    switch (id) {
      case CheckDesktop:
      case CheckStartMenu:
      case CheckPrograms: TakeIntoModel(id); return;
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
  if (notification == EN_CHANGE && !controls_->programChange) {
    // Typed by the user: the model follows, and the tree follows the installation directory.
    TakeIntoModel(id);
    if (id == EditInstallDir) Guarded([this] { EditInstallDirChange(); });
  } else if (id == ListInstallDir && notification == DTN_CHANGE) {
    Guarded([this] { ListInstallDirMoved(); });
  } else if (id == ComboInstallDrive && notification == CBN_SELCHANGE) {
    Guarded([this] { ComboInstallDriveChosen(); });
  }
}
