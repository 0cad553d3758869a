#include <gtest/gtest.h>

#include <vector>

#include "CommandLine.h"
#include "SweeperCommand.h"

namespace {
TEST(SweeperFilePathTest, JoinsWithExactlyOneBackslash) {
  EXPECT_EQ(SweeperFilePath("C:\\Temp\\"), "C:\\Temp\\Sweeper.exe");
  EXPECT_EQ(SweeperFilePath("C:\\Temp"), "C:\\Temp\\Sweeper.exe");
  EXPECT_EQ(SweeperFilePath("C:\\"), "C:\\Sweeper.exe");
}

// What Setup writes must come back out of the helper's own splitter as the same three texts,
// blanks and all.
TEST(SweeperCommandLineTest, HelperReadsBackThreeArguments) {
  const std::string line =
      SweeperCommandLine("C:\\Users\\A B\\Temp\\Sweeper.exe", "C:\\Program Files\\Quillmark\\Setup.exe",
                         "Quillmark has been successfully uninstalled.", "Uninstall complete");
  EXPECT_EQ(line,
            "\"C:\\Users\\A B\\Temp\\Sweeper.exe\" \"C:\\Program Files\\Quillmark\\Setup.exe\" "
            "\"Quillmark has been successfully uninstalled.\" \"Uninstall complete\"");
  std::vector<char> item(line.size() + 1);
  EXPECT_EQ(CountArguments(line.c_str(), item.data()), 3);
  GetArgument(line.c_str(), 0, item.data());
  EXPECT_STREQ(item.data(), "C:\\Users\\A B\\Temp\\Sweeper.exe");
  GetArgument(line.c_str(), 1, item.data());
  EXPECT_STREQ(item.data(), "C:\\Program Files\\Quillmark\\Setup.exe");
  GetArgument(line.c_str(), 2, item.data());
  EXPECT_STREQ(item.data(), "Quillmark has been successfully uninstalled.");
  GetArgument(line.c_str(), 3, item.data());
  EXPECT_STREQ(item.data(), "Uninstall complete");

  // Without a message the helper gets the program alone, and so shows no box.
  const std::string quiet = SweeperCommandLine("C:\\T\\Sweeper.exe", "C:\\Q Q\\Setup.exe", "", "");
  EXPECT_EQ(CountArguments(quiet.c_str(), item.data()), 1);
  GetArgument(quiet.c_str(), 1, item.data());
  EXPECT_STREQ(item.data(), "C:\\Q Q\\Setup.exe");
}
}  // namespace
