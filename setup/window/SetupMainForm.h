#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "ControlIds.h"
#include "commands/CommandFeedback.h"
#include "ShellLink.h"
#include "archive/Extract.h"
#include "archive/FileList.h"
#include "archive/Package.h"
#include "logic/IdeOptions.h"
#include "logic/SetupSwitches.h"

// The application title: the main window's caption and every message box's.
constexpr const char* ApplicationTitle = "Quillmark Setup";

// A top-level window class of Setup: its icon, the arrow, the face colour.
void RegisterFormClass(HINSTANCE instance, const char* name, WNDPROC windowProc);

// Control IDs of each IDE option's check box and directory field, in IdeOptions order.
constexpr std::array<int, IdeOptionCount> IdeCheckIds = {CheckDelphi10, CheckDelphi20, CheckDelphi30,
                                                         CheckDelphi40, CheckBCB10,    CheckBCB30};
constexpr std::array<int, IdeOptionCount> IdeEditIds = {EditDelphi10, EditDelphi20, EditDelphi30,
                                                        EditDelphi40, EditBCB10,    EditBCB30};

// The one window of Setup. It owns all state of a run; every command is one of its click
// handlers and runs to its end on the window thread.
class TSetupForm : private ExtractionObserver {
public:
  // Creates the window (not yet shown) with all pages, then runs FormCreate. An error
  // escaping FormCreate is shown in the error box and the window stays. Given controls of
  // an unattended run, there is no window: the commands work on those controls instead.
  explicit TSetupForm(HINSTANCE instance, std::unique_ptr<SetupControls> unattended = nullptr);
  ~TSetupForm() override;
  TSetupForm(const TSetupForm&) = delete;
  TSetupForm& operator=(const TSetupForm&) = delete;

  HWND Handle() const { return handle_; }
  // False when start-up decided that the program ends without showing the window.
  bool ShouldRun() const { return !terminated_; }
  // Start-up's case, 'A' to 'E'; 0 when start-up ended early (a corrupt package).
  char StartupCase() const { return startupCase_; }
  // Run without the window: every question is answered and every box logged.
  bool Unattended() const { return unattended_ != nullptr; }
  void Show();
  void Close();      // closes the window; the message loop ends
  void Terminate();  // ends the application once the current handler returns

  // ---- Pages and controls (SetupMainForm.cpp)
  void SetTabVisible(Sheet sheet, bool visible);
  bool TabVisible(Sheet sheet) const;
  void SetActivePage(Sheet sheet);
  Sheet ActivePage() const;

  HWND Control(int id) const;
  std::string Text(int id) const;
  // Changing a text or a tick by program runs the same handler as the user's change.
  void SetText(int id, const std::string& text);
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);
  bool Enabled(int id) const;
  void SetEnabled(int id, bool enabled);
  void SetReadOnly(int id, bool readOnly);
  // Carries out pending paint requests at once, so a command's progress stays visible.
  void Repaint();

  // The gauge of the busy page.
  void SetGaugeMax(int64_t maximum);
  void SetGaugePos(int64_t position);
  void AdvanceGauge(int64_t bytes);

  // The framework's error box: caption "Quillmark Setup", error icon, OK.
  void ShowError(const std::exception& error);
  // Any other message box; returns the button pressed.
  int Message(const std::string& text, const std::string& caption, UINT type);
  // Runs a handler; an error escaping it is shown in the error box.
  template <class Handler>
  void Guarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      ShowError(error);
    }
  }

  // ---- Start-up analysis (StartupAnalysis.cpp)
  void FormCreate();
  void ScanPackage(const std::string& packageName, int checkBoxId, PackageInfo& info);

  // ---- Installation options (InstallOptions.cpp)
  void EditInstallDirChange();
  void ListInstallDirChange();
  void ComboInstallDriveChange();
  void CheckDelphiClick(int checkBoxId);
  // The directory, options and page the command line names, as if chosen on the pages.
  void ApplySwitches(const SetupSwitches& switches);

  // ---- Commands
  void NowBtnClick();     // InstallCommands.cpp
  void UpdateBtnClick();  // InstallCommands.cpp
  void WriteInstallationRecord();  // InstallationRecord.cpp
  void AddShortcuts();             // Shortcuts.cpp
  void AddToolsMenuEntries();      // ToolsMenu.cpp
  void UninstallBtnClick();        // UninstallCommand.cpp
  void RunBtnClick();              // FinishedActions.cpp
  void HelpBtnClick();             // FinishedActions.cpp
  void QuitBtnClick();             // FinishedActions.cpp

  // ---- State of the run
  std::string SourceDir;  // ends in a backslash
  std::unique_ptr<PackageExtractor> Extractor;  // holds the one Decoder
  PackageInfo AppPackageInfo;
  std::array<PackageInfo, IdeOptionCount> IdePackageInfo;
  std::string PackageVersion;
  std::string InstalledVersion;
  int32_t SetupFileSize = 0;
  int64_t SpaceNeeded = 0;  // 64-bit: drives of more than 2 GiB
  int64_t SpaceFree = 0;
  bool DirSyncBusy = false;
  std::string DefaultBaseDir;
  std::string InstallationDir;  // ends in a backslash
  FileList InstallFileList;
  std::array<FileList, IdeOptionCount> IdeFileList;
  TShellLink ShellLink;

private:
  // ExtractionObserver: the busy label and the gauge.
  void StatusChanged(const std::string& text) override;
  void BytesWritten(uint32_t count) override;
  void DirectoryCreated(const std::string& path) override;
  void FileWritten(const std::string& path, int64_t size, uint32_t crc) override;

  // Steps of FormCreate (StartupAnalysis.cpp).
  void ProposeDirectories();
  void DetectEnvironments();
  void ReadInstallationRecord();
  // Steps of Install and Update (InstallCommands.cpp).
  void SetInstallationDir();
  void ShowBusyPage();
  void ExtractPackages();
  void CopySetupProgram();
  void ShowFinishedPage();

  void CreatePages();  // SetupPages.cpp
  // Places, sizes and draws every control for a DPI (SetupPages.cpp).
  void ApplyDpi(int dpi);
  void SizeToLayout();
  // The tree and the drive selector follow each other (InstallOptions.cpp).
  void ListInstallDirMoved();
  void ComboInstallDriveChosen();
  void ShowSpaceFreeColour();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void DispatchCommand(int id, int notification);

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  bool terminated_ = false;
  char startupCase_ = 0;
  struct Impl;  // window details of SetupMainForm.cpp; none in an unattended run
  std::unique_ptr<Impl> impl_;
  std::unique_ptr<SetupControls> unattended_;
  SetupControls* controls_ = nullptr;  // impl_ or unattended_
};
