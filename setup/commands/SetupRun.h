#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandFeedback.h"
#include "SourcePackage.h"
#include "archive/Extract.h"
#include "archive/FileList.h"
#include "archive/Package.h"
#include "logic/PageSelection.h"
#include "logic/RunModel.h"
#include "logic/RunPlan.h"
#include "stores/InstallationRecord.h"
#include "system/FilesInUse.h"

// A Delphi 1 and Delphi 2 directory that clash: the window shows the options' page with it.
class EOptionsClash : public std::runtime_error {
public:
  EOptionsClash();
};

// A package the distribution's Setup does not pin, among those a command would install: the
// command is refused before anything changes (unattended: exit code 2).
class EUnpinnedPackage : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// One run of Setup: what start-up finds, the model of what the run is about, and the commands
// that carry it out. The window and the unattended run both drive it; it reads no control and
// shows through its CommandFeedback only.
class SetupRun : private ExtractionObserver {
public:
  explicit SetupRun(CommandFeedback& feedback);

  // The start-up analysis: reads the packages, proposes directories, detects the environments
  // and reads the record into the model, and selects the pages. False when the program ends at
  // once (the application package is not Quillmark's); file errors raise.
  bool Analyse();

  // The commands, each run to its end. Install and Update plan the run from the model first
  // (a directory the user may not choose raises EUnusableDirectory before anything changes),
  // and a finished one asks the feedback to show its end; Uninstall ends the program, unless
  // it raises.
  void Install();
  void Update();
  void Uninstall();

  RunModel Model;
  // The plan of the Install or Update that ran last; an empty one before.
  const RunPlan& Plan() const { return plan_; }
  // The bytes an installation of the chosen options needs; also the gauge's maximum.
  int64_t SpaceNeeded() const;
  // After Install or Update: starts again, as the user, what the files-in-use check closed
  // (Model.Closing.Restart); ClosingPrograms.cpp.
  void RestartClosedPrograms();

private:
  // ExtractionObserver: the busy page's status and gauge, and the log.
  void StatusChanged(const std::string& text) override;
  void BytesWritten(uint32_t count) override;
  void DirectoryCreated(const std::string& path) override;
  void FileWritten(const std::string& path, int64_t size, uint32_t crc) override;

  // Steps of Analyse (StartupAnalysis.cpp).
  void ScanPackage(int option);
  void ProposeDirectories();
  void DetectEnvironments();
  void ReadInstallationRecord();
  // Steps of Install and Update (InstallCommands.cpp).
  void ShowBusyPage();
  void ExtractPackages();
  void CopySetupProgram();
  void WriteInstallationRecord();

  // Before anything changes (FilesInUseCheck.cpp): true when no file of paths is in use, or
  // the user has freed them and pressed Retry; false when the user cancels. Unattended, the
  // files go to the log and EFilesInUse is raised.
  bool FilesFree(std::vector<std::string> paths);
  std::vector<std::string> FilesInstallReplaces(const std::optional<InstallationContents>& old);
  // Unattended with /CLOSEAPPLICATIONS (ClosingPrograms.cpp): asks the programs that hold any
  // of paths to close, logs each and how it ended, and keeps the closed ones' images.
  void CloseHolders(const std::vector<std::string>& paths, const std::vector<FileInUse>& inUse);
  // After an update's extraction (DroppedFiles.cpp): the old files the new packages no longer
  // carry are deleted; those that stay join the new lists.
  void RemoveDroppedFiles(const std::optional<InstallationContents>& old);

  // Before anything changes, once the plan is made: the distribution's Setup refuses to start a
  // command with a package that is not the one it pins, instead of stopping in a CRC error half way.
  void RefuseUnpinnedPackages();
  // The file of a package the plan names, opened and checked at start-up.
  SourcePackage& PackageFile(int option);

  CommandFeedback& feedback_;
  RunPlan plan_;
  bool AppExtracted = false;
  std::array<bool, IdeOptionCount> IdeExtracted{};
  std::string SourceDir;  // ends in a backslash
  std::unique_ptr<PackageExtractor> Extractor;  // holds the one decoder
  std::optional<PackageDigests> Pins;  // the distribution's copy only: the packages it may open
  SourcePackage AppPackage;
  std::array<SourcePackage, IdeOptionCount> IdePackages;
  PackageInfo AppPackageInfo;
  std::array<PackageInfo, IdeOptionCount> IdePackageInfo;
  int32_t SetupFileSize = 0;
  FileList InstallFileList;
  std::array<FileList, IdeOptionCount> IdeFileList;
  std::vector<std::string> closedPrograms_;  // images of the programs CloseHolders closed
};
