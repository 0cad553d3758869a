#include <vector>

#include "system/ActionLog.h"
#include "system/Registry.h"
#include "system/RunningProgram.h"
#include "window/SetupMainForm.h"
#include "logic/DiskSpace.h"
#include "logic/PageSelection.h"
#include "logic/RecordText.h"
#include "logic/SearchPath.h"
#include "logic/UninstallPlan.h"
#include "archive/CodePage.h"

namespace {

constexpr DWORD RootDirBytes = MAX_PATH + 1;
constexpr DWORD ProgramFilesDirBytes = 256;

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DefaultProgramFilesDir() {
  std::string directory;
  const RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                                  KEY_QUERY_VALUE);
  if (!key || !key.ReadString("ProgramFilesDir", directory, ProgramFilesDirBytes) ||
      directory.empty())
    return "C:\\Program Files\\";
  return WithTrailingBackslash(directory);
}

std::string Delphi1SearchPath() {
  std::vector<char> buffer(32768);
  const DWORD length = GetPrivateProfileStringA("Library", "SearchPath", "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), "DELPHI.INI");
  return std::string(buffer.data(), length);
}

std::string ReadInstalledVersion(const RegKey& record) {
  std::vector<uint8_t> bytes;
  if (!record.ReadBytes("Version", bytes, RecordTextBytes)) return NoInstalledVersion;
  return DecodeRecordVersion(bytes).value_or(NoInstalledVersion);
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

void TSetupForm::FormCreate() {
  ShellLink.Description = "Quillmark";
  const std::string programPath = RunningProgramPath();
  SourceDir = programPath.substr(0, FindLastAscii(programPath, '\\') + 1);
  Extractor = std::make_unique<PackageExtractor>(
      SourceDir, static_cast<ExtractionObserver&>(*this));
  // Setup runs elevated: what it creates for the product, no user may change.
  Extractor->SetNewDirectoryAccess(FileSystem::DirectoryAccess::Protected);

  SetActivePage(Sheet::Welcome);
  SetTabVisible(Sheet::Busy, false);
  SetTabVisible(Sheet::Finished, false);

  // Every package and the program's own file are opened read-only (ByteFile's Read mode),
  // so that read-only media and the running program can be read.
  ByteFile package;
  const bool packageFound = package.TryOpen(SourceDir + "Quillmk.pak", ByteFile::Mode::Read);
  if (packageFound) {
    const AppPackageHeader header = ReadAppPackageHeader(package);
    if (!header.ProductIsQuillmark) {
      Message("File Quillmk.pak is corrupt", "Quillmark Setup", MB_OK);
      Terminate();
      return;
    }
    PackageVersion = header.VersionText;
    SetText(LabelVersion, PackageVersion);
    ScanPackageTable(package, AppPackageInfo);
    package.Close();

    ByteFile program;
    program.Open(programPath, ByteFile::Mode::Read);
    SetupFileSize = static_cast<int32_t>(program.Size());
    program.Close();
    SpaceNeeded = int64_t{AppPackageInfo.TotalSize} + SetupFileSize;

    for (int i = 0; i < IdeOptionCount; ++i)
      ScanPackage(IdeOptions[i].Package, IdeCheckIds[i], IdePackageInfo[i]);
    ProposeDirectories();
    DetectEnvironments();
  } else {
    SetActivePage(Sheet::Uninstall);
    SetTabVisible(Sheet::Welcome, false);
    SetTabVisible(Sheet::Install, false);
    SetTabVisible(Sheet::Update, false);
  }

  ReadInstallationRecord();
  SetText(LabelSpaceNeeded, KiloBytesText(SpaceNeeded));

  const PageSelection pages = SelectPages(packageFound, InstalledVersion, PackageVersion);
  if (pages.SetsUpdateLabels) {
    SetText(LabelOldVersion, InstalledVersion);
    SetText(LabelInstallVersion, PackageVersion);
  }
  for (int page = 0; page < OfferedPageCount; ++page)
    SetTabVisible(SheetOf(static_cast<OfferedPage>(page)), pages.IsShown(static_cast<OfferedPage>(page)));
  SetActivePage(SheetOf(pages.Current));
  startupCase_ = ::StartupCase(pages, packageFound);
  LogAction(std::string("Case found: ") + startupCase_ + ", installed version " + InstalledVersion +
            ", package version " + (packageFound ? PackageVersion : "none"));
}

void TSetupForm::ScanPackage(const std::string& packageName, int checkBoxId, PackageInfo& info) {
  if (ScanPackageFile(SourceDir + packageName, info)) return;
  SetChecked(checkBoxId, false);
  SetEnabled(checkBoxId, false);
}

void TSetupForm::ProposeDirectories() {
  DefaultBaseDir = DefaultProgramFilesDir();
  SetText(ComboInstallDrive, DefaultBaseDir.substr(0, 1));
  SetText(EditInstallDir, DefaultBaseDir + "Quillmark");
  // Set once: they do not follow later changes of the installation directory.
  const std::string installDir = Text(EditInstallDir);
  for (int i = 0; i < IdeOptionCount; ++i)
    SetText(IdeEditIds[i], installDir + "\\" + IdeOptions[i].Key);
}

void TSetupForm::DetectEnvironments() {
  for (int i = 0; i < IdeOptionCount; ++i) {
    const IdeOption& option = IdeOptions[i];
    std::string directory;
    if (!option.RootKey) {
      const std::optional<std::string> library = Delphi1LibraryDir(Delphi1SearchPath());
      if (!library) continue;
      directory = *library;
    } else {
      const RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, option.RootKey, KEY_QUERY_VALUE);
      if (!key || !key.ReadString("RootDir", directory, RootDirBytes)) continue;
      directory += option.DetectedSuffix;
    }
    // Ticked even when its package is missing: the user sees the environment was found.
    SetChecked(IdeCheckIds[i], true);
    SetText(IdeEditIds[i], directory);
  }
}

void TSetupForm::ReadInstallationRecord() {
  InstalledVersion = NoInstalledVersion;
  const RegKey record = RegKey::Open(HKEY_LOCAL_MACHINE, InstallationRecordKey, KEY_QUERY_VALUE);
  if (!record) return;
  InstalledVersion = ReadInstalledVersion(record);
  if (InstalledVersion == NoInstalledVersion) return;

  std::string installDir;
  if (ReadRecordText(record, "InstallDir", installDir) &&
      FileExists(WithTrailingBackslash(installDir) + "Quillmk.exe"))
    SetText(EditInstallDir, WithTrailingBackslash(installDir));
  else
    InstalledVersion = NoInstalledVersion;

  // The recorded directories hold even when the application itself is gone.
  for (int i = 0; i < IdeOptionCount; ++i) {
    std::string directory;
    if (!ReadRecordText(record, std::string(IdeOptions[i].Key) + "Dir", directory)) continue;
    SetChecked(IdeCheckIds[i], true);
    SetText(IdeEditIds[i], directory);
    SetReadOnly(IdeEditIds[i], true);
  }
}
