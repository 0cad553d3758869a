#include "Driver.h"

namespace e2e {
namespace {

using WindowTest = SetupTest;

TEST_F(WindowTest, EmptyFolderOffersOnlyNothingToDo) {
  Dist().AddSetup();
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.Tabs(), std::vector<std::string>{"Nothing To Do"});
  EXPECT_EQ(window.CurrentTab(), "Nothing To Do");
}

}  // namespace
}  // namespace e2e
