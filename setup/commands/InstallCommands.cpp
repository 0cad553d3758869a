// The Install and Update commands.
#include <cstdio>

#include "SetupRun.h"
#include "archive/CrcUnit.h"
#include "logic/ProductNames.h"
#include "logic/RecordKeeping.h"
#include "stores/EveryUsersShare.h"
#include "stores/InstallationRecord.h"
#include "stores/Shortcuts.h"
#include "stores/ToolsMenu.h"
#include "system/ActionLog.h"
#include "system/InstallationFolder.h"
#include "system/NoFollow.h"
#include "system/OwnImage.h"

namespace {

// For the log: the CRC of a whole open file, read from its start; one that cannot be read gives 0.
uint32_t FileCrc(HANDLE file) {
  uint32_t crc = 0;
  LARGE_INTEGER start = {};
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return crc;
  uint8_t buffer[32768];
  for (DWORD count; ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0;)
    crc = UpdateCrc(buffer, static_cast<uint16_t>(count), crc);
  return crc;
}

std::string CrcText(uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
  return text;
}

std::array<bool, IdeOptionCount> ChosenOptions(const RunPlan& plan) {
  std::array<bool, IdeOptionCount> chosen{};
  for (int i = 0; i < IdeOptionCount; ++i) chosen[i] = plan.Ide[i].Chosen;
  return chosen;
}

}  // namespace

void SetupRun::Install() {
  // Both versions of the editor carry files of the same names.
  if (Delphi1And2Clash(Model)) throw EOptionsClash();
  plan_ = PlanOf(Model, PlannedCommand::Install);
  RefuseUnpinnedPackages();
  const std::string& installationDir = plan_.Install.Path;
  ClaimInstallationDirectory(plan_.Install);  // Setup's own, or refused before anything changes
  if (!FilesFree(FilesInstallReplaces(std::nullopt))) return;
  ShowBusyPage();
  ExtractPackages();
  CopySetupProgram();

  const AccountPlaces& places = plan_.Places;
  StatusChanged("Adding shortcuts");
  try {
    AddShortcuts(plan_.Shortcuts, installationDir, places.Shortcuts);
  } catch (const std::exception& error) {
    // A shortcut that cannot be made is no reason to stop the installation.
    LogAction(std::string("Shortcuts stopped: ") + error.what());
  }

  StatusChanged("Updating registry");
  WriteInstallationRecord();
  if (places.EveryUser) RegisterEveryUsersShare(installationDir + SetupCopyName, Model.PackageVersion);
  try {
    // Made for everyone, the person's own entries may come again at their next logon: once.
    if (places.ToolsMenuEntries)
      AddToolsMenuEntries(ChosenOptions(plan_), installationDir,
                          places.EveryUser ? ToolsEntryAdding::Once : ToolsEntryAdding::EveryTime);
  } catch (const std::exception& error) {
    // Nor is a Tools-menu list that cannot be read or written.
    LogAction(std::string("Tools-menu entries stopped: ") + error.what());
  }
  feedback_.ShowFinished();
}

void SetupRun::Update() {
  plan_ = PlanOf(Model, PlannedCommand::Update);
  RefuseUnpinnedPackages();
  // Read before the update rewrites it: its lists name what the new packages may drop.
  const std::optional<InstallationContents> old = ReadInstallationContents();
  if (!FilesFree(FilesInstallReplaces(old))) return;
  ShowBusyPage();
  ExtractPackages();
  RemoveDroppedFiles(old);
  CopySetupProgram();
  WriteInstallationRecord();
  // A new version for everyone's logon: their entries are checked once more.
  if (plan_.Places.EveryUser || EveryUsersShareRegistered())
    RegisterEveryUsersShare(plan_.Install.Path + SetupCopyName, Model.PackageVersion);
  feedback_.ShowFinished();
}

void SetupRun::RefuseUnpinnedPackages() {
  for (const PackageTarget& target : plan_.Packages) {
    const SourcePackage& package = PackageFile(target.Option);
    if (package.Refused) throw EUnpinnedPackage(package.Why);
  }
}

SourcePackage& SetupRun::PackageFile(int option) {
  return option == ApplicationPackage ? AppPackage : IdePackages[option];
}

void SetupRun::ShowBusyPage() { feedback_.ShowBusy(SpaceNeeded()); }

// Each package by itself: an error is shown and the next package follows.
void SetupRun::ExtractPackages() {
  AppExtracted = false;
  feedback_.Guarded([&] {
    Extractor->ExtractPackage(AppPackage.Opened(), AppPackage.Name, plan_.Install, AppPackageInfo,
                              InstallFileList);
    AppExtracted = true;
  });
  for (int i = 0; i < IdeOptionCount; ++i) {
    IdeExtracted[i] = false;
    if (!plan_.Ide[i].Chosen) continue;
    feedback_.Guarded([&] {
      Extractor->ExtractPackage(IdePackages[i].Opened(), IdePackages[i].Name,
                                DestinationOf(plan_.Ide[i].Directory, PathStyle::Windows), IdePackageInfo[i],
                                IdeFileList[i]);
      IdeExtracted[i] = true;
    });
  }
}

// The copy is the uninstaller; a failure shows later, when there is nothing to run. It must
// stay writable, or a later Update cannot replace it and Uninstall cannot delete it. Its bytes
// come from the file held since start, proved to be the running image: by name, the download
// folder could hold another program by now. Its name is always the one the record names.
void SetupRun::CopySetupProgram() {
  StatusChanged("Copying Setup.exe");
  const std::string copy = plan_.Install.Path + SetupCopyName;
  try {
    const HANDLE program = OwnImageFile();
    CopyWithoutFollowing(program, copy);
    if (ActionLogOpen()) FileWritten(copy, SetupFileSize, FileCrc(program));
  } catch (const std::exception& error) {
    LogAction(std::string("Setup.exe not copied: ") + error.what());
  }
  feedback_.AdvanceGauge(SetupFileSize);
}

void SetupRun::WriteInstallationRecord() {
  InstallationContents contents;
  // A failed extraction must not pass for the new version: the next start offers it again.
  contents.Version = VersionToRecord(AppExtracted, Model.PackageVersion, Model.InstalledVersion);
  contents.InstallationDir = plan_.Install.Path;
  contents.InstallFiles = InstallFileList;
  contents.InstalledBytes = SpaceNeeded();
  for (int i = 0; i < IdeOptionCount; ++i) {
    RecordedOption& option = contents.Options[i];
    option.Present = plan_.Ide[i].Chosen;
    option.Directory = plan_.Ide[i].Directory;
    option.Files = IdeFileList[i];
  }
  ::WriteInstallationRecord(contents);
}

// ---- Extraction progress

void SetupRun::StatusChanged(const std::string& text) { feedback_.BusyStatus(text); }

void SetupRun::BytesWritten(uint32_t count) { feedback_.AdvanceGauge(count); }

void SetupRun::DirectoryCreated(const std::string& path) { LogAction("Directory created: " + path); }

void SetupRun::FileWritten(const std::string& path, int64_t size, uint32_t crc) {
  LogAction("File written: " + path + ", " + std::to_string(size) + " bytes, CRC-32 " + CrcText(crc));
}
