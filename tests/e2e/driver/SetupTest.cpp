#include "driver/SetupTest.h"

#include <windows.h>

#include "ControlIds.h"
#include "driver/Files.h"
#include "driver/MessageBoxDriver.h"
#include "driver/TestRegistry.h"

namespace e2e {
namespace {

const char* const TestsRoot = "C:\\qmtest\\";
const char* const ShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const CurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const SecondDrive = "Q:\\";

// Every key Setup writes or reads that a test could leave behind.
const struct {
  HKEY Root;
  const char* Path;
} SetupKeys[] = {
    {HKEY_LOCAL_MACHINE, "Software\\Penwright"},
    {HKEY_CURRENT_USER, "Software\\Penwright"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quillmk.exe"},
    {HKEY_CLASSES_ROOT, ".qmp"},
    {HKEY_CLASSES_ROOT, "QuillmarkProject"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark"},
    {HKEY_CURRENT_USER, "Software\\Borland"},
    {HKEY_LOCAL_MACHINE, "Software\\Borland"},
};

std::string DelphiIniPath() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  return JoinPath(windows, "DELPHI.INI");
}

}  // namespace

void SetupTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  Name = std::string(info->test_suite_name()) + "." + info->name();
  Root = std::string(TestsRoot) + Name + "\\";
  RemoveTree(Root);
  ProgramFiles = Root + "Program Files\\";
  Desktop = Root + "Desktop\\";
  StartMenu = Root + "Start Menu\\";
  Programs = StartMenu + "Programs\\";
  for (const std::string& dir : {ProgramFiles, Desktop, Programs}) CreateDirectories(dir);
  dist_ = std::make_unique<Distribution>(Root + "dist\\");

  // Shortcuts go to this test's folders, never to the user's real Desktop (Wine links it to $HOME).
  savedShellFolders_.clear();
  for (const auto& [name, folder] : {std::pair<const char*, std::string>{"Desktop", Desktop},
                                     {"Start Menu", StartMenu},
                                     {"Programs", Programs}}) {
    std::string old;
    if (ReadRegString(HKEY_CURRENT_USER, ShellFoldersKey, name, old)) savedShellFolders_.emplace_back(name, old);
    WriteRegString(HKEY_CURRENT_USER, ShellFoldersKey, name, folder);
  }
  hadProgramFilesDir_ = ReadRegString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", savedProgramFilesDir_);
  WriteRegString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", ProgramFiles.substr(0, ProgramFiles.size() - 1));
  RemoveSetupState();
}

void SetupTest::TearDown() {
  process_.reset();
  EndProcessesBelow(Root);
  RemoveSetupState();
  for (const char* name : {"Desktop", "Start Menu", "Programs"}) DeleteRegValue(HKEY_CURRENT_USER, ShellFoldersKey, name);
  for (const auto& [name, folder] : savedShellFolders_) WriteRegString(HKEY_CURRENT_USER, ShellFoldersKey, name, folder);
  if (hadProgramFilesDir_)
    WriteRegString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", savedProgramFilesDir_);
  else
    DeleteRegValue(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir");
  // A failed test leaves its folders for a look; a passed one leaves nothing.
  if (!HasFailure()) {
    RemoveTree(Root);
    if (!secondDriveFolder_.empty()) RemoveTree(secondDriveFolder_);
  }
  secondDriveFolder_.clear();
}

void SetupTest::RemoveSetupState() {
  for (const auto& key : SetupKeys) DeleteRegTree(key.Root, key.Path);
  DeleteFileA(DelphiIniPath().c_str());
}

void SetupTest::LayOutSampleDistribution() {
  Dist().AddSetup();
  Dist().AddSamplePackages();
}

SetupProcess& SetupTest::Start(const std::string& exePath) {
  process_ = std::make_unique<SetupProcess>(exePath.empty() ? Dist().SetupPath() : exePath);
  return *process_;
}

WindowDriver SetupTest::WaitForMainWindow() {
  HWND window = process_ ? process_->WaitForMainWindow() : nullptr;
  EXPECT_NE(window, nullptr) << "the main window did not appear";
  return WindowDriver(window, process_ ? process_->Handle() : nullptr);
}

void SetupTest::InstallAndWaitForFinished(const WindowDriver& window) {
  window.SelectTab("Install");
  window.Click(NowBtn2);
  ASSERT_TRUE(WaitUntil([&] { return window.CurrentTab() == "Finished" || Process().MessageBoxWindow(); }, 60000))
      << "Install did not finish";
  if (HWND box = Process().MessageBoxWindow()) FAIL() << "Install showed: " << ReadMessageBox(box).Text;
}

void SetupTest::RecordInstallation(const std::string& version, const std::string& installDir) {
  CreateDirectories(installDir);
  CopyOneFile(BuildDistDir() + "Quillmk.exe", JoinPath(installDir, "Quillmk.exe"));
  WriteInstallationRecord(version, installDir);
}

std::string SetupTest::SecondDriveRoot() {
  if (GetDriveTypeA(SecondDrive) == DRIVE_NO_ROOT_DIR) {
    ADD_FAILURE() << "drive " << SecondDrive << " is not mapped: run the tests through scripts/wine-run";
    return std::string();
  }
  return SecondDrive;
}

std::string SetupTest::SecondDriveFolder() {
  const std::string root = SecondDriveRoot();
  if (root.empty()) return root;
  secondDriveFolder_ = root + "qmtest\\" + Name + "\\";
  RemoveTree(secondDriveFolder_);
  CreateDirectories(secondDriveFolder_);
  return secondDriveFolder_;
}

}  // namespace e2e
