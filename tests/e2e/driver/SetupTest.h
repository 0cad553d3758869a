#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/Distribution.h"
#include "driver/SetupProcess.h"
#include "driver/TestRegistry.h"
#include "driver/WindowDriver.h"

// The fixture of every end-to-end test. Each test gets fresh folders under C:\qmtest\<test>\,
// the shell folders pointed at its own Desktop, Start Menu and Programs, the program-files
// directory pointed at its own "Program Files", and none of the registry keys and INI file
// that Setup reads or writes. Everything is put back afterwards.
namespace e2e {

class SetupTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // The distribution folder of this test (empty until the test fills it).
  Distribution& Dist() { return *dist_; }
  // Lays out Setup.exe with the seven sample packages.
  void LayOutSampleDistribution();

  // Starts a program (by default the distribution's Setup.exe) with the arguments given; it
  // is ended after the test.
  SetupProcess& Start(const std::string& exePath = std::string(), const std::string& arguments = std::string());
  SetupProcess& Process() { return *process_; }
  // Waits for the visible main window of the started program; the test fails without one.
  WindowDriver WaitForMainWindow();

  // Presses "Install Quillmark now!!!" and waits for the Finished page; the test fails with
  // the text of any message box that comes up instead.
  void InstallAndWaitForFinished(const WindowDriver& window);

  // A folder holding a stand-in of the installed product, recorded as an installation of
  // version in the registry.
  void RecordInstallation(const std::string& version, const std::string& installDir);

  // Runs what a deployment tool runs to remove the product, the installation's
  // "QuietUninstallString", through cmd /c, to its end; the test fails without the value.
  void RunQuietUninstallString();

  // Points one shell-folder value ("Desktop", "Start Menu", "Programs") elsewhere, or removes
  // it, in both keys alike, as Wine rewrites one from the other. Put back after the test.
  void SetShellFolder(const std::string& name, const std::string& folder);
  void RemoveShellFolder(const std::string& name);
  // Removes every registry key and the INI file that Setup writes, as before each test.
  void RemoveSetupState();

  // The root of the second drive letter ("Q:\\"); empty, and the test failed, when the
  // wrapper has not mapped it.
  std::string SecondDriveRoot();
  // A fresh folder of this test on the second drive letter ("Q:\\qmtest\\<suite>.<test>\\"),
  // removed afterwards; empty, and the test failed, when the wrapper has not mapped the drive.
  std::string SecondDriveFolder();

  std::string Name;          // "<suite>.<test>"
  std::string Root;          // "C:\qmtest\<suite>.<test>\"
  std::string ProgramFiles;  // Root + "Program Files\" (ProgramFilesDir, without the backslash)
  std::string Desktop, StartMenu, Programs;

private:
  std::unique_ptr<Distribution> dist_;
  std::unique_ptr<SetupProcess> process_;
  struct SavedValue {
    std::string Key;
    std::string Name;
    RawValue Value;
  };
  std::vector<SavedValue> savedShellFolders_;
  std::string savedProgramFilesDir_;
  std::string secondDriveFolder_;
  bool hadProgramFilesDir_ = false;
};

}  // namespace e2e
