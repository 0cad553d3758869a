// The Finished page's help button: Setup hands the help file to the viewer and stays.
#include "Driver.h"

namespace e2e {
namespace {

using FinishedPageTest = SetupTest;

// The viewer is the system's (Wine keeps it in the system directory), started as the user
// through the desktop's shell: a "winhlp32.exe" beside Setup.exe, where its bare name is looked
// up first, never runs.
TEST_F(FinishedPageTest, HelpPressedTwiceKeepsSetupOpenOnTheFinishedPage) {
  LayOutSampleDistribution();
  CopyOneFile(BuildDistDir() + "Quillmk.exe", Dist().Dir() + "winhlp32.exe");
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, sizeof system);
  const std::string viewer = JoinPath(system, "winhlp32.exe");
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  ASSERT_NO_FATAL_FAILURE(InstallAndWaitForFinished(window));
  for (int press = 1; press <= 2; ++press) {
    SCOPED_TRACE("press " + std::to_string(press));
    window.Click(HelpBtn);
    // The viewer is another program; whatever it shows, Setup itself asks nothing.
    Sleep(1500);
    ASSERT_TRUE(Process().Running());
    EXPECT_EQ(Process().MessageBoxWindow(), nullptr);
    EXPECT_EQ(window.CurrentTab(), "Finished");
    EXPECT_TRUE(window.Enabled(HelpBtn));
  }
  EXPECT_FALSE(FileExists(Dist().Dir() + "Quillmk.ran")) << "the viewer beside Setup.exe ran";
  const std::vector<DWORD> starters = StartersOf(viewer);
  EXPECT_FALSE(starters.empty()) << "no viewer runs";
  for (const DWORD starter : starters) EXPECT_NE(starter, Process().Id()) << "the viewer runs with Setup's rights";
  EndProcessesOf(viewer);
}

}  // namespace
}  // namespace e2e
