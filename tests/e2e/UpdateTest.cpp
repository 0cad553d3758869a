#include "InstallChecks.h"

namespace e2e {
namespace {

using UpdateTest = SetupTest;

TEST_F(UpdateTest, OnlyExtractsCopiesAndRecords) {
  LayOutSampleDistribution();
  const std::string d = Root + "Installed\\";
  RecordInstallation("0.1 older", d);
  const char* const key = "Software\\Penwright\\Quillmark\\Installation";
  // Delphi 2 and Delphi 4 were installed; the user unticks Delphi 4 for the update.
  WriteRegBinary(HKEY_LOCAL_MACHINE, key, "Delphi20Dir", LengthPrefixed(d + "D2"));
  WriteRegBinary(HKEY_LOCAL_MACHINE, key, "Delphi40Dir", LengthPrefixed(d + "D4"));
  WriteRegDword(HKEY_LOCAL_MACHINE, key, "Delphi40FilesSize", 16);
  const std::vector<uint8_t> oldList = ListBytes({"OLD.DCU"});
  WriteRegBinary(HKEY_LOCAL_MACHINE, key, "Delphi40Files", oldList);

  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_EQ(window.CurrentTab(), "Update");
  ASSERT_TRUE(window.Checked(CheckDesktop));  // shortcut boxes as at start: no effect on Update
  window.ClickAndWait(CheckDelphi40);
  ASSERT_FALSE(window.Checked(CheckDelphi40));
  window.Click(UpdateBtn);
  WaitForFinished(window);

  const PackageFacts app = ReadPackageFacts(Dist().PathOf("Quillmk.pak"));
  for (const std::string& name : app.MemberNames) EXPECT_TRUE(FileExists(d + name)) << name;
  for (const std::string& name : ReadPackageFacts(Dist().PathOf("Delphi20.pak")).MemberNames)
    EXPECT_TRUE(FileExists(d + "D2\\" + name)) << name;
  EXPECT_FALSE(DirectoryExists(d + "D4"));
  EXPECT_EQ(ReadFileBytes(d + "Setup.exe"), ReadFileBytes(Dist().SetupPath()));

  ExpectValue(HKEY_LOCAL_MACHINE, key, "Version", REG_BINARY, LengthPrefixed(app.VersionText));
  ExpectValue(HKEY_LOCAL_MACHINE, key, "InstallFiles", REG_BINARY, ListBytes(app.MemberNames));
  ExpectValue(HKEY_LOCAL_MACHINE, key, "Delphi20Dir", REG_BINARY, LengthPrefixed(d + "D2"));
  ExpectValue(HKEY_LOCAL_MACHINE, key, "Delphi40Files", REG_BINARY, oldList);
  ExpectValue(HKEY_LOCAL_MACHINE, key, "Delphi40FilesSize", REG_DWORD, DwordBytes(16));
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark",
             "UninstallString", "\"" + d + "Setup.exe\"");

  for (const std::string& folder : {Desktop, StartMenu, Programs})
    EXPECT_FALSE(FileExists(folder + "Quillmark.lnk")) << folder;
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\2.0\\Transfer"));
  EXPECT_EQ(IniText("Count"), "<missing>");
}

}  // namespace
}  // namespace e2e
