#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ControlIds.h"
#include "commands/CommandFeedback.h"
#include "commands/SetupRun.h"
#include "logic/SetupSwitches.h"
#include "logic/WindowKeys.h"

// Control IDs of each IDE option's check box and directory field, in IdeOptions order.
constexpr std::array<int, IdeOptionCount> IdeCheckIds = {CheckDelphi10, CheckDelphi20, CheckDelphi30,
                                                         CheckDelphi40, CheckBCB10,    CheckBCB30};
constexpr std::array<int, IdeOptionCount> IdeEditIds = {EditDelphi10, EditDelphi20, EditDelphi30,
                                                        EditDelphi40, EditBCB10,    EditBCB30};

struct FormControls;

// The one window of Setup. Its controls are drawn from the run's model, and a user's change
// goes into the model through its handler; its buttons run the run's commands, each to its end
// on the window thread, and it shows their progress.
class TSetupForm : public CommandFeedback {
public:
  // Creates the window (not yet shown) with all pages, then runs FormCreate. An error
  // escaping FormCreate is shown in the error box and the window stays.
  explicit TSetupForm(HINSTANCE instance);
  ~TSetupForm() override;
  TSetupForm(const TSetupForm&) = delete;
  TSetupForm& operator=(const TSetupForm&) = delete;

  HWND Handle() const { return handle_; }
  // False when start-up decided that the program ends without showing the window.
  bool ShouldRun() const { return !terminated_; }
  void Show();
  void Close();  // closes the window; the message loop ends
  // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp move between the offered pages, as in a
  // property sheet: true when message was such a key, which the message loop then drops.
  bool PageKey(const MSG& message);

  // The directory, options and page the command line names, as if chosen on the pages.
  void ApplySwitches(const SetupSwitches& switches);

  // CommandFeedback: the busy and finished pages, the status labels, the gauge, the boxes.
  void ShowBusy(int64_t gaugeMax) override;
  void BusyStatus(const std::string& text) override;
  void UninstallStatus(const std::string& text) override;
  void AdvanceGauge(int64_t bytes) override;
  void ShowFinished() override;
  void EndProgram() override { Close(); }
  bool Unattended() const override { return false; }

private:
  void ErrorBox(const std::string& text) override;
  int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) override;

  // ---- Start-up (SetupMainForm.cpp): the analysis, then the model shown on the pages.
  void FormCreate();
  void ShowModel();
  // The choices of the model: the installation directory, the IDE options, the shortcuts.
  void ShowChoices();

  // ---- Pages and controls (SetupMainForm.cpp)
  void SetTabVisible(Sheet sheet, bool visible);
  void SetActivePage(Sheet sheet);
  HWND Control(int id) const;
  std::string Text(int id) const;
  // A text or a tick drawn by program: no handler runs (an edit's own change notification
  // finds the model holding its text already).
  void SetText(int id, const std::string& text);
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);
  void SetEnabled(int id, bool enabled);
  void SetReadOnly(int id, bool readOnly);
  // Carries out pending paint requests at once, so a command's progress stays visible.
  void Repaint();
  // A user's change of an IDE option's directory or a shortcut's tick taken into the model.
  void TakeIntoModel(int id);

  // ---- Installation options (InstallOptions.cpp): the user's changes, each into the model
  void EditInstallDirChange();
  void ListInstallDirChange();
  void ComboInstallDriveChange();
  void CheckDelphiClick(int checkBoxId);
  // ... and the controls drawn from it. The tree shows the nearest existing folder of the
  // installation directory, and the drive selector follows the tree.
  void ShowTree();
  void ShowDriveOfTree();
  void ShowOption(int option);
  // What an option's tick decides: whether its field takes input, and the space needed.
  void ShowChosen(int option);
  void ShowSpaceFree();
  void ShowSpaceNeeded();
  void ShowSpaceFreeColour();

  // ---- Commands: the buttons (SetupMainForm.cpp, FinishedActions.cpp)
  void NowBtnClick();
  void UpdateBtnClick();
  void UninstallBtnClick();
  void RunBtnClick();
  void HelpBtnClick();
  void QuitBtnClick();
  // Runs a command's button handler; while it runs, no other button or change is taken.
  void RunCommand(const std::function<void()>& command);
  // Presses a button of the active page as a click does (Enter, Escape); 0 or a button the
  // keyboard cannot reach does nothing.
  void PressButton(int id);
  // The system's colours or high contrast changed: everything is drawn again in the colours now due.
  void ColoursChanged();

  void CreatePages();  // SetupPages.cpp
  // Places, sizes and draws every control for a DPI (SetupPages.cpp).
  void ApplyDpi(int dpi);
  void SizeToLayout();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void DispatchCommand(int id, int notification);

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  bool terminated_ = false;
  bool started_ = false;  // start-up completed and the model shown
  SetupRun run_;
  int64_t SpaceFree = 0;  // 64-bit: drives of more than 2 GiB; -1 when the query fails
  std::unique_ptr<FormControls> controls_;
};

// What the Finished page and its buttons say where Setup may start nothing for the user
// (FinishedActions.cpp): what to start, or open, yourself.
std::string StartYourselfText(const std::string& what);
