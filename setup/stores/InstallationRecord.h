#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "archive/FileList.h"
#include "logic/IdeOptions.h"

// The installation record below HKEY_LOCAL_MACHINE, together with the shell registration that
// is written and removed with it (the project file type, App Paths, Add/Remove Programs). Every
// key and value name of both is spelled in this unit only.

// One IDE option's part of the record.
struct RecordedOption {
  bool Present = false;  // installed: its directory and list are recorded
  std::string Directory;
  FileList Files;
};

// What Install and Update store, and what Uninstall reads back.
struct InstallationContents {
  std::string Version;
  std::string InstallationDir;  // ends in a backslash
  FileList InstallFiles;
  std::array<RecordedOption, IdeOptionCount> Options;
  int64_t InstalledBytes = 0;  // what the installation takes on disk, for Add/Remove Programs
};

// Writes the record and the shell registration. Registry writes ignore their results: a value
// that cannot be written is missing, and named in the log with the reason.
void WriteInstallationRecord(const InstallationContents& contents);

// What start-up reads back: the installed version (nullopt without a usable one), the
// recorded installation directory and each option's recorded directory.
struct RecordedInstallation {
  std::optional<std::string> Version;
  std::optional<std::string> InstallDir;
  std::array<std::optional<std::string>, IdeOptionCount> OptionDirs;
};
RecordedInstallation ReadInstalledState();

// The lists and directories Uninstall removes; nullopt when the record is gone.
std::optional<InstallationContents> ReadInstallationContents();

// Uninstall deletes the shell registration and the product's user settings first, each key
// with its whole subtree, and the record last, once nothing else of the installation is
// left: an Uninstall broken off before then can still be run again.
void RemoveShellRegistration();
void RemoveInstallationRecord();
// Rewrites the record's lists with what Uninstall could not delete (the present options'),
// so that the next Uninstall still knows those files.
void KeepRecordedLists(const InstallationContents& left);
