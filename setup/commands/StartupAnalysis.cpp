// The start-up analysis: what lies beside Setup, what is installed, and what to offer.
#include <vector>

#include "SetupRun.h"
#include "logic/DiskSpace.h"
#include "logic/ProductNames.h"
#include "logic/SearchPath.h"
#include "logic/UninstallPlan.h"
#include "stores/InstallationRecord.h"
#include "system/Account.h"
#include "system/ActionLog.h"
#include "system/Registry.h"
#include "system/CarriedDigests.h"
#include "system/OwnImage.h"
#include "system/ProgramFilesDir.h"
#include "system/RunningProgram.h"
#include "archive/CodePage.h"

namespace {

constexpr DWORD RootDirBytes = MAX_PATH + 1;

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// In the view the 32-bit release reads on 64-bit Windows, as every key Setup opens.
std::string DefaultProgramFilesDir() {
  const std::optional<std::string> directory = ProgramFilesDir(ProgramFilesView::Bits32);
  return directory ? WithTrailingBackslash(*directory) : "C:\\Program Files\\";
}

std::string Delphi1SearchPath() {
  std::vector<char> buffer(32768);
  const DWORD length = GetPrivateProfileStringA("Library", "SearchPath", "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), "DELPHI.INI");
  return std::string(buffer.data(), length);
}

}  // namespace

EOptionsClash::EOptionsClash()
    : std::runtime_error("Sorry, but you cannot install the Delphi 1.0 and 2.0 versions of the property editor "
                         "in the same directory") {}

SetupRun::SetupRun(CommandFeedback& feedback) : feedback_(feedback) {
  AppPackage.Name = AppPackageName;
  for (int i = 0; i < IdeOptionCount; ++i) IdePackages[i].Name = IdeOptions[i].Package;
}

bool SetupRun::Analyse() {
  const std::string programPath = RunningProgramPath();
  SourceDir = programPath.substr(0, FindLastAscii(programPath, '\\') + 1);
  Extractor = std::make_unique<PackageExtractor>(static_cast<ExtractionObserver&>(*this));
  // Setup runs elevated: what it creates for the product, no user may change.
  Extractor->SetNewDirectoryAccess(FileSystem::DirectoryAccess::Protected);
  Pins = CarriedPackageDigests();
  if (Pins) LogAction("Packages pinned by this Setup: " + std::to_string(Pins->Entries().size()));

  // Every package is opened once, read-only (ByteFile's Read mode), so that read-only media can
  // be read and no one can change it while Setup holds it.
  Model.PackageFound = OpenSourcePackage(AppPackage, SourceDir, Pins ? &*Pins : nullptr) || AppPackage.Refused;
  if (Model.PackageFound) {
    // A package that is not the one pinned is as corrupt as a damaged table.
    ByteFile& package = AppPackage.Opened();
    const AppPackageHeader header = ReadAppPackageHeader(package);
    if (!header.ProductIsQuillmark) {
      feedback_.Message(std::string("File ") + AppPackageName + " is corrupt", ApplicationTitle, MB_OK);
      return false;
    }
    Model.PackageVersion = header.VersionText;
    ScanPackageTable(package, AppPackageInfo);

    // Measured through the file held since start: the copy Install makes is read from it too.
    SetupFileSize = static_cast<int32_t>(OwnImageSize());

    for (int i = 0; i < IdeOptionCount; ++i) ScanPackage(i);
    ProposeDirectories();
    DetectEnvironments();
  }
  ReadInstallationRecord();

  Model.Pages = SelectPages(Model.PackageFound, Model.InstalledVersion, Model.PackageVersion);
  Model.Account = ProcessAccountKind();
  if (const char* note = PlacesFor(Model.Account, InstallScope::Unstated).LogNote) LogAction(note);
  LogAction(std::string("Case found: ") + CaseLetter(Model.Pages.Case) + ", installed version " + Model.InstalledVersion +
            ", package version " + (Model.PackageFound ? Model.PackageVersion : "none"));
  return true;
}

void SetupRun::ScanPackage(int option) {
  SourcePackage& package = IdePackages[option];
  if (OpenSourcePackage(package, SourceDir, Pins ? &*Pins : nullptr) && ::ScanPackage(package.File, IdePackageInfo[option]))
    return;
  if (package.Refused) LogAction(package.Why);
  Model.Ide[option].PackageUsable = false;
  Model.Ide[option].Chosen = false;
}

void SetupRun::ProposeDirectories() {
  Model.ProgramFilesDir = DefaultProgramFilesDir();
  Model.InstallDir = Model.ProgramFilesDir + ProductName;
  // Set once: they do not follow later changes of the installation directory.
  for (int i = 0; i < IdeOptionCount; ++i) Model.Ide[i].Directory = Model.InstallDir + "\\" + IdeOptions[i].Key;
}

void SetupRun::DetectEnvironments() {
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
    // Chosen even when its package is missing: the user sees the environment was found.
    IdeChoice& choice = Model.Ide[i];
    choice.Detected = choice.Chosen = true;
    choice.Directory = directory;
  }
}

void SetupRun::ReadInstallationRecord() {
  const RecordedInstallation record = ReadInstalledState();
  Model.InstalledVersion = NoInstalledVersion;
  if (!record.Version || *record.Version == NoInstalledVersion) return;
  if (record.InstallDir && FileExists(WithTrailingBackslash(*record.InstallDir) + ProductProgramName)) {
    Model.InstalledVersion = *record.Version;
    Model.InstallDir = WithTrailingBackslash(*record.InstallDir);
  }
  // The recorded directories hold even when the application itself is gone.
  for (int i = 0; i < IdeOptionCount; ++i) {
    if (!record.OptionDirs[i]) continue;
    IdeChoice& choice = Model.Ide[i];
    choice.Chosen = choice.Recorded = true;
    choice.Directory = *record.OptionDirs[i];
  }
}

int64_t SetupRun::SpaceNeeded() const {
  std::array<int64_t, IdeOptionCount> sizes{};
  std::array<bool, IdeOptionCount> chosen{};
  for (int i = 0; i < IdeOptionCount; ++i) {
    sizes[i] = IdePackageInfo[i].TotalSize;
    chosen[i] = Model.Ide[i].Chosen;
  }
  return RequiredSpace(AppPackageInfo.TotalSize, SetupFileSize, sizes, chosen);
}
