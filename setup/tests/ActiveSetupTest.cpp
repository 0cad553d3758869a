#include "ActiveSetup.h"

#include <gtest/gtest.h>

namespace {

TEST(ActiveSetupVersion, TakesUpToFourNumbersOfTheVersionText) {
  const struct {
    const char* text;
    const char* version;
  } rows[] = {
      {"4.2", "4,2"},          {"1.0", "1,0"},           {"99.0", "99,0"},   {"4.2b", "4,2"},
      {"v10.3.1.7.9", "10,3,1,7"}, {"2026-12 beta 3", "2026,12,3"}, {"70000.1", "65535,1"},
      {"beta", "0"},           {"", "0"},
  };
  for (const auto& row : rows) EXPECT_EQ(ActiveSetupVersion(row.text), row.version) << row.text;
}

// Run at logon as the user: the installed Setup.exe, quoted, without its administrator prompt.
TEST(ActiveSetupFor, RunsTheInstalledSetupAsTheUser) {
  const auto component = ActiveSetupFor("C:\\Program Files (x86)\\Quillmark\\Setup.exe", "C:\\Windows\\system32", "4.2");
  ASSERT_TRUE(component);
  EXPECT_EQ(component->Name, "Quillmark");
  EXPECT_EQ(component->StubPath,
            "\"C:\\Windows\\system32\\cmd.exe\" /d /c \"set __COMPAT_LAYER=RunAsInvoker&& "
            "\"C:\\Program Files (x86)\\Quillmark\\Setup.exe\" /USERSETUP\"");
  EXPECT_EQ(component->Version, "4,2");
  // cmd would expand "%" and end the path at a quote.
  EXPECT_FALSE(ActiveSetupFor("C:\\100%\\Setup.exe", "C:\\Windows\\system32", "4.2"));
  EXPECT_FALSE(ActiveSetupFor("C:\\Q\"\\Setup.exe", "C:\\Windows\\system32", "4.2"));
}

}  // namespace
