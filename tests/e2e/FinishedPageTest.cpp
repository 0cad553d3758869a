// The Finished page's help button: Setup hands the help file to the viewer and stays.
#include "Driver.h"

namespace e2e {
namespace {

using FinishedPageTest = SetupTest;

TEST_F(FinishedPageTest, HelpPressedTwiceKeepsSetupOpenOnTheFinishedPage) {
  LayOutSampleDistribution();
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
}

}  // namespace
}  // namespace e2e
