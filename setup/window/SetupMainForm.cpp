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
#include "logic/ProductNames.h"
#include "Accessible.h"
#include "ColourScheme.h"
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

// Whether a control and every window it lies in up to the form are shown (by style, so that it
// holds before the form itself is shown) and it is enabled: whether the keyboard can reach it.
bool Reachable(HWND control, HWND form) {
  if (control == nullptr || !IsWindow(control) || !IsChild(form, control) || !IsWindowEnabled(control)) return false;
  for (HWND window = control; window != form; window = GetParent(window)) {
    if ((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) == 0) return false;
  }
  return true;
}

// The first control below parent that Tab reaches, in the order Tab visits them.
HWND FirstTabStop(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0 || (style & WS_DISABLED) != 0) continue;
    if ((style & WS_TABSTOP) != 0) return child;
    if ((GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0) {
      if (HWND inner = FirstTabStop(child)) return inner;
    }
  }
  return nullptr;
}

// Holds the command flag for one command and clears it on every way out.
class CommandGuard {
public:
  explicit CommandGuard(bool& running) : running_(running) { running_ = true; }
  ~CommandGuard() { running_ = false; }
  CommandGuard(const CommandGuard&) = delete;
  CommandGuard& operator=(const CommandGuard&) = delete;

private:
  bool& running_;
};

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
  const RunModel& model = run_.Model;
  if (model.PackageFound) {
    SetText(LabelVersion, model.PackageVersion);
    TDriveCombo::Select(Control(ComboInstallDrive), model.ProgramFilesDir[0]);
    ShowSpaceFree();
  }
  ShowChoices();
  if (model.Pages.SetsUpdateLabels) {
    SetText(LabelOldVersion, model.InstalledVersion);
    SetText(LabelInstallVersion, model.PackageVersion);
  }
  for (int page = 0; page < OfferedPageCount; ++page)
    SetTabVisible(SheetOf(static_cast<OfferedPage>(page)), model.Pages.IsShown(static_cast<OfferedPage>(page)));
  SetActivePage(SheetOf(model.Pages.Current));
}

void TSetupForm::ShowChoices() {
  const RunModel& model = run_.Model;
  if (!model.InstallDir.empty()) {
    SetText(EditInstallDir, model.InstallDir);
    ShowTree();
  }
  for (int i = 0; i < IdeOptionCount; ++i) {
    ShowOption(i);
    ShowChosen(i);
  }
  SetChecked(CheckDesktop, model.Shortcuts.Desktop);
  SetChecked(CheckStartMenu, model.Shortcuts.StartMenu);
  SetChecked(CheckPrograms, model.Shortcuts.Programs);
}

void TSetupForm::ApplySwitches(const SetupSwitches& switches) {
  if (!started_) return;  // start-up failed: there is nothing to choose
  RunModel model = run_.Model;
  ::ApplySwitches(model, switches);  // raises, changing nothing, for an option it cannot install
  run_.Model = model;
  ShowChoices();
  if (switches.Uninstall) SetActivePage(SheetOf(OpeningPage(run_.Model.Pages, true)));
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
  SetWindowTextA(Control(id), text.c_str());
}

bool TSetupForm::Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TSetupForm::SetChecked(int id, bool checked) {
  SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TSetupForm::SetEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled ? TRUE : FALSE); }

void TSetupForm::SetReadOnly(int id, bool readOnly) {
  SendMessageA(Control(id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TSetupForm::Repaint() {
  RedrawWindow(handle_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (controls_->commandRunning) AnswerOtherPrograms();
}

void TSetupForm::TakeIntoModel(int id) {
  RunModel& model = run_.Model;
  if (const int edit = IndexOf(IdeEditIds, id); edit >= 0) {
    model.Ide[edit].Directory = Text(id);
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

// A screen reader follows the command by the status line's name.
void TSetupForm::BusyStatus(const std::string& text) {
  SetText(LabelBusy, text);
  RaiseAccessibleEvent(EVENT_OBJECT_NAMECHANGE, Control(LabelBusy));
  Repaint();
}

void TSetupForm::UninstallStatus(const std::string& text) {
  SetText(LabelBusy2, text);
  RaiseAccessibleEvent(EVENT_OBJECT_NAMECHANGE, Control(LabelBusy2));
  Repaint();
}

void TSetupForm::AdvanceGauge(int64_t bytes) {
  HWND gauge = Control(Gauge);
  TGauge::SetPosition(gauge, TGauge::Position(gauge) + bytes);
  if (controls_->commandRunning) AnswerOtherPrograms();
}

void TSetupForm::ShowFinished() {
  // Elevated with no desktop shell of the user's (SYSTEM with a window, no Explorer): the
  // buttons start nothing, and the page says where the user starts Quillmark instead.
  if (!CanStartChildren()) SetText(LabelStartFrom, StartYourselfText("start " + run_.Plan().Install.Path + ProductProgramName));
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

void FormControls::SetActivePage(Sheet sheet, bool keepOnTabs) {
  HWND now = GetFocus();
  if (now == nullptr || !IsChild(form, now)) now = focus;
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
  // Never left on a control of a page that has gone: the next key would go to a hidden button.
  HWND page = pages[static_cast<size_t>(sheet)];
  const bool stays = (keepOnTabs && now == tabs) || (IsChild(page, now) && Reachable(now, form));
  if (!stays) {
    HWND first = FirstTabStop(page);
    Focus(first != nullptr ? first : tabs);
  }
}

void FormControls::Focus(HWND control) {
  focus = control;
  if (form != nullptr && GetActiveWindow() == form) SetFocus(control);
}

void FormControls::RestoreFocus() {
  if (!Reachable(focus, form)) {
    HWND first = FirstTabStop(pages[static_cast<size_t>(active)]);
    focus = first != nullptr ? first : tabs;
  }
  SetFocus(focus);
}

ControlLook FormControls::ShownLook(HWND control) const {
  const auto found = looks.find(control);
  const ControlLook look = found == looks.end() ? ControlLook{} : found->second;
  ControlLook shown = look;
  shown.text = systemColours || look.text == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : look.text;
  shown.background = look.background == CLR_INVALID || (systemColours && !look.signal) ? GetSysColor(COLOR_BTNFACE)
                                                                                      : look.background;
  return shown;
}

void FormControls::SetBackColour(int id, COLORREF colour) {
  HWND control = Control(id);
  looks[control].background = colour;
  looks[control].signal = colour != CLR_INVALID;
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
        controls_->SetActivePage(static_cast<Sheet>(item.lParam), true);
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto control = reinterpret_cast<HWND>(lParam);
      if (controls_->looks.count(control) == 0) {
        break;
      }
      // Text and background both, always: a text colour left to chance is black on a black face.
      const ControlLook look = controls_->ShownLook(control);
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, look.text);
      SetBkColor(dc, look.background);
      return reinterpret_cast<LRESULT>(controls_->Brush(look.background));
    }
    case DM_GETDEFID: {
      const int id = DefaultButtonOf(controls_->active);
      return id != 0 && !controls_->commandRunning ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case WM_ACTIVATE:
      // As a dialog does: the focus is kept while another window is active, and given back.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND now = GetFocus();
        if (now != nullptr && IsChild(handle_, now)) controls_->focus = now;
      } else if (HIWORD(wParam) == 0) {
        controls_->RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      controls_->RestoreFocus();
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      ColoursChanged();
      if (message == WM_SYSCOLORCHANGE) SendMessageA(controls_->tabs, message, wParam, lParam);
      break;
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
      const ControlLook look = controls_->ShownLook(control->second);
      return message == FM_GETBACKCOLOR ? look.background : look.text;
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
      // Sent while a command answers other programs: the command is never cut off half way.
      if (!controls_->commandRunning) Close();
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
  // Nothing starts, cancels or changes a choice half way through a command: a screen reader's
  // action or a click served while it runs is dropped.
  if (controls_->commandRunning) return;
  if (notification == BN_CLICKED) {
    if (IndexOf(IdeCheckIds, id) >= 0) {
      Guarded([this, id] { CheckDelphiClick(id); });
      return;
    }
    switch (id) {
      case CheckDesktop:
      case CheckStartMenu:
      case CheckPrograms: TakeIntoModel(id); return;
      // Enter and Escape, from the dialog manager.
      case IDOK: PressButton(DefaultButtonOf(controls_->active)); return;
      case IDCANCEL: PressButton(EscapeButtonOf(controls_->active)); return;
      case NowBtn2: RunCommand([this] { NowBtnClick(); }); return;
      case UpdateBtn: RunCommand([this] { UpdateBtnClick(); }); return;
      case UninstallBtn: RunCommand([this] { UninstallBtnClick(); }); return;
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
  if (notification == EN_CHANGE) {
    // The model follows the field; a text drawn from the model changes nothing in it.
    if (id == EditInstallDir) Guarded([this] { EditInstallDirChange(); });
    else TakeIntoModel(id);
  } else if (id == ListInstallDir && notification == DTN_CHANGE) {
    Guarded([this] { ListInstallDirChange(); });
  } else if (id == ComboInstallDrive && notification == CBN_SELCHANGE) {
    Guarded([this] { ComboInstallDriveChange(); });
  }
}

void TSetupForm::RunCommand(const std::function<void()>& command) {
  CommandGuard running(controls_->commandRunning);
  Guarded(command);
}

void TSetupForm::PressButton(int id) {
  if (id == 0) return;
  HWND button = Control(id);
  if (Reachable(button, handle_)) SendMessageA(button, BM_CLICK, 0, 0);
}

bool TSetupForm::PageKey(const MSG& message) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (message.message != WM_KEYDOWN || !control || (message.hwnd != handle_ && !IsChild(handle_, message.hwnd))) {
    return false;
  }
  bool forward;
  switch (message.wParam) {
    case VK_TAB: forward = GetKeyState(VK_SHIFT) >= 0; break;
    case VK_NEXT: forward = true; break;
    case VK_PRIOR: forward = false; break;
    default: return false;
  }
  const Sheet next = NextOfferedSheet(controls_->tabVisible, controls_->active, forward);
  if (next != controls_->active) controls_->SetActivePage(next, true);
  return true;
}

void TSetupForm::ColoursChanged() {
  controls_->systemColours = SystemColoursNow();
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
