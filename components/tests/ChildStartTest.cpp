#include "ChildStart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(ChildStart, StartsEachChildByItsFullPathAndQuotesPathsInParameters) {
  const struct {
    const char* why;
    ChildStart start;
    ChildStart expected;
  } cases[] = {
      {"the product, hidden", ProductStart("C:\\Program Files\\Quillmark\\Quillmk.exe"),
       {"C:\\Program Files\\Quillmark\\Quillmk.exe", "", 0}},
      {"help by the viewer's full path", HelpStart("C:\\Windows\\winhlp32.exe", "C:\\Program Files\\Quillmark\\Quillmk.hlp"),
       {"C:\\Windows\\winhlp32.exe", "\"C:\\Program Files\\Quillmark\\Quillmk.hlp\"", 1}},
      {"no viewer, nothing", HelpStart("", "D:\\Q\\Quillmk.hlp"), {"", "", 1}},
      {"the home page", PageStart("http://penwright.com/"), {"http://penwright.com/", "", 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.start.File, c.expected.File) << c.why;
    EXPECT_EQ(c.start.Parameters, c.expected.Parameters) << c.why;
    EXPECT_EQ(c.start.Show, c.expected.Show) << c.why;
  }
}

TEST(ChildStart, TheHelpViewerIsTheSystemsOwn) {
  const struct {
    const char* why;
    std::vector<std::string> present;
    std::string viewer;
  } cases[] = {
      {"where Windows keeps it", {"C:\\WINDOWS\\winhlp32.exe", "C:\\WINDOWS\\system32\\winhlp32.exe"},
       "C:\\WINDOWS\\winhlp32.exe"},
      {"where Wine keeps it", {"C:\\WINDOWS\\system32\\winhlp32.exe"}, "C:\\WINDOWS\\system32\\winhlp32.exe"},
      {"none at all: never a bare name", {}, ""},
  };
  for (const auto& c : cases) {
    const auto exists = [&](const std::string& path) {
      return std::find(c.present.begin(), c.present.end(), path) != c.present.end();
    };
    EXPECT_EQ(HelpViewer("C:\\WINDOWS", "C:\\WINDOWS\\system32\\", exists), c.viewer) << c.why;
  }
}

TEST(ChildStart, NeverHandsSetupsRightsToAChild) {
  const struct {
    bool holdsRights, shellFound;
    ChildRoute route;
  } cases[] = {
      {true, true, ChildRoute::DesktopShell},
      {true, false, ChildRoute::None},      // SYSTEM, no Explorer: the user starts it
      {false, true, ChildRoute::Directly},  // no rights to drop
      {false, false, ChildRoute::Directly},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseChildRoute(c.holdsRights, c.shellFound), c.route) << c.holdsRights << c.shellFound;
}

}  // namespace
