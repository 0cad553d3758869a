#include "driver/SetupTest.h"

#include <windows.h>
#include <algorithm>
#include <shlobj.h>

#include "ControlIds.h"
#include "driver/Files.h"
#include "driver/MessageBoxDriver.h"
#include "driver/TestRegistry.h"

namespace e2e {
namespace {

const char* const TestsRoot = "C:\\qmtest\\";
// Wine rewrites "Shell Folders" from "User Shell Folders" whenever a program asks the shell for a
// folder, so both must name the test's folders or a shortcut lands in the real Desktop ($HOME).
const char* const ShellFolderKeys[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"};
const char* const ShellFolderNames[] = {"Desktop", "Start Menu", "Programs"};
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
    {HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp"},
    {HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark"},
    {HKEY_CURRENT_USER, "Software\\Borland"},
    {HKEY_LOCAL_MACHINE, "Software\\Borland"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Active Setup\\Installed Components\\Penwright.Quillmark"},
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
  // Parametrised tests are named "Instance/Suite.Test/Param": one folder, not three.
  std::replace(Name.begin(), Name.end(), '/', '.');
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
  const std::string folders[] = {Desktop, StartMenu, Programs};
  for (const char* key : ShellFolderKeys)
    for (const char* name : ShellFolderNames)
      savedShellFolders_.push_back({key, name, ReadRawValue(HKEY_CURRENT_USER, key, name)});
  for (int i = 0; i < 3; ++i) SetShellFolder(ShellFolderNames[i], folders[i]);
  hadProgramFilesDir_ = ReadRegString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", savedProgramFilesDir_);
  WriteRegString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", ProgramFiles.substr(0, ProgramFiles.size() - 1));
  RemoveSetupState();
}

void SetupTest::TearDown() {
  process_.reset();
  EndProcessesBelow(Root);
  // The help viewer starts through the desktop's shell, no child of Setup: left running, it
  // would outlive the test and hold the test program's output open.
  for (const auto folderOf : {GetWindowsDirectoryA, GetSystemDirectoryA}) {
    char folder[MAX_PATH] = "";
    if (folderOf(folder, sizeof folder) > 0) EndProcessesOf(JoinPath(folder, "winhlp32.exe"));
  }
  RemoveSetupState();
  for (const SavedValue& saved : savedShellFolders_)
    RestoreRawValue(HKEY_CURRENT_USER, saved.Key, saved.Name, saved.Value);
  char userDesktop[MAX_PATH] = "";
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, userDesktop))) {
    EXPECT_FALSE(FileExists(JoinPath(userDesktop, "Quillmark.lnk"))) << "a shortcut escaped to the real Desktop";
  }
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

SetupProcess& SetupTest::Start(const std::string& exePath, const std::string& arguments) {
  process_ = std::make_unique<SetupProcess>(exePath.empty() ? Dist().SetupPath() : exePath, arguments);
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

void SetupTest::RunQuietUninstallString() {
  std::string quiet;
  ASSERT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark",
                            "QuietUninstallString", quiet));
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  Start(std::string(system) + "\\cmd.exe", "/c " + quiet);
  ASSERT_TRUE(Process().WaitForExit(60000));
}

void SetupTest::RecordInstallation(const std::string& version, const std::string& installDir) {
  CreateDirectories(installDir);
  CopyOneFile(BuildDistDir() + "Quillmk.exe", JoinPath(installDir, "Quillmk.exe"));
  WriteInstallationRecord(version, installDir);
}

void SetupTest::SetShellFolder(const std::string& name, const std::string& folder) {
  for (const char* key : ShellFolderKeys) WriteRegString(HKEY_CURRENT_USER, key, name, folder);
}

void SetupTest::RemoveShellFolder(const std::string& name) {
  for (const char* key : ShellFolderKeys) DeleteRegValue(HKEY_CURRENT_USER, key, name);
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
