#include <stdexcept>

#include "system/ActionLog.h"
#include "system/InstallationFolder.h"
#include "system/NoFollow.h"
#include "system/RunningProgram.h"
#include "archive/AsciiCase.h"
#include "archive/CrcUnit.h"
#include "window/SetupMainForm.h"

namespace {

// For the log: an unreadable file gives 0.
uint32_t FileCrc(const std::string& path) {
  ByteFile file;
  uint32_t crc = 0;
  if (!file.TryOpen(path, ByteFile::Mode::Read)) return crc;
  uint8_t buffer[32768];
  for (uint32_t count; (count = file.Read(buffer, sizeof buffer)) > 0;) crc = UpdateCrc(buffer, static_cast<uint16_t>(count), crc);
  return crc;
}

}  // namespace

void TSetupForm::NowBtnClick() {
  // Both versions of the editor carry files of the same names.
  if (AsciiUpper(Text(EditDelphi10)) == AsciiUpper(Text(EditDelphi20))) {
    SetActivePage(Sheet::Delphi);
    ShowError(std::runtime_error("Sorry, but you cannot install the Delphi 1.0 and 2.0 versions "
                                 "of the property editor in the same directory"));
    return;
  }
  SetInstallationDir();
  ClaimInstallationDirectory(InstallationDir);  // Setup's own, or refused before anything changes
  ShowBusyPage();
  ExtractPackages();
  CopySetupProgram();

  StatusChanged("Adding shortcuts");
  try {
    AddShortcuts();
  } catch (const std::exception&) {
    // A shortcut that cannot be made is no reason to stop the installation.
  }

  StatusChanged("Updating registry");
  WriteInstallationRecord();
  try {
    AddToolsMenuEntries();
  } catch (const std::exception&) {
    // Nor is a Tools-menu list that cannot be read or written.
  }
  ShowFinishedPage();
}

void TSetupForm::UpdateBtnClick() {
  ShowBusyPage();
  SetInstallationDir();
  ExtractPackages();
  CopySetupProgram();
  WriteInstallationRecord();
  ShowFinishedPage();
}

void TSetupForm::SetInstallationDir() {
  InstallationDir = Text(EditInstallDir);
  if (InstallationDir.empty())
    InstallationDir = "C:\\Program Files\\Quillmark\\";
  else if (InstallationDir.back() != '\\')
    InstallationDir += '\\';
}

void TSetupForm::ShowBusyPage() {
  SetTabVisible(Sheet::Busy, true);
  SetActivePage(Sheet::Busy);
  SetGaugeMax(SpaceNeeded);
  SetGaugePos(0);
  Repaint();
}

// Each package by itself: an error is shown and the next package follows.
void TSetupForm::ExtractPackages() {
  Guarded([&] {
    Extractor->ExtractPackage("Quillmk.pak", InstallationDir, AppPackageInfo, InstallFileList);
  });
  for (int i = 0; i < IdeOptionCount; ++i) {
    if (!Checked(IdeCheckIds[i])) continue;
    Guarded([&] {
      Extractor->ExtractPackage(IdeOptions[i].Package, Text(IdeEditIds[i]), IdePackageInfo[i],
                                IdeFileList[i]);
    });
  }
}

// The copy is the uninstaller; a failure shows later, when there is nothing to run. It must
// stay writable, or a later Update cannot replace it and Uninstall cannot delete it.
void TSetupForm::CopySetupProgram() {
  StatusChanged("Copying Setup.exe");
  const std::string program = RunningProgramPath();
  const std::string copy = InstallationDir + program.substr(program.rfind('\\') + 1);
  if (CopyWithoutFollowing(program, copy) && ActionLogOpen()) FileWritten(copy, SetupFileSize, FileCrc(program));
  AdvanceGauge(SetupFileSize);
}

void TSetupForm::ShowFinishedPage() {
  for (Sheet sheet : {Sheet::Welcome, Sheet::Delphi, Sheet::Install, Sheet::Update,
                      Sheet::Uninstall, Sheet::Busy})
    SetTabVisible(sheet, false);
  SetTabVisible(Sheet::Finished, true);
  SetActivePage(Sheet::Finished);
}
