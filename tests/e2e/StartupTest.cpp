#include "InstallChecks.h"

namespace e2e {
namespace {

using StartupTest = SetupTest;

using Tabs = std::vector<std::string>;
const char* const Welcome = "Welcome";
const char* const Delphi = "Delphi/C++Builder";
const char* const Install = "Install";
const char* const Update = "Update";
const char* const Uninstall = "Uninstall";

std::string KiloBytes(int64_t bytes) { return std::to_string(bytes / 1024) + " kB"; }

TEST_F(StartupTest, OffersThePagesOfCasesAToE) {
  struct Case {
    const char* name;
    bool package;
    const char* recordedVersion;  // nullptr: no record
    Tabs tabs;
    const char* current;
  };
  const std::string packageVersion = ReadPackageFacts(BuildDistDir() + "Quillmk.pak").VersionText;
  const Case cases[] = {
      {"A", true, nullptr, {Welcome, Delphi, Install}, Welcome},
      {"B", true, "0.1 older", {Delphi, Update, Uninstall}, Update},
      {"C", true, packageVersion.c_str(), {Uninstall}, Uninstall},
      {"D", false, "0.1 older", {Uninstall}, Uninstall},
      {"E", false, nullptr, {"Nothing To Do"}, "Nothing To Do"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteRegTree(HKEY_LOCAL_MACHINE, InstallationKey);
    Distribution dist(Root + "case" + c.name);
    dist.AddSetup();
    if (c.package) dist.AddSamplePackages();
    const std::string installed = Root + "Installed " + c.name + "\\";
    if (c.recordedVersion) RecordInstallation(c.recordedVersion, installed);
    Start(dist.SetupPath());
    WindowDriver window = WaitForMainWindow();
    EXPECT_EQ(window.Tabs(), c.tabs);
    EXPECT_EQ(window.CurrentTab(), c.current);
    if (c.recordedVersion) {
      EXPECT_EQ(window.Text(LabelOldVersion), c.recordedVersion);
      EXPECT_EQ(window.Text(LabelInstallVersion), c.package ? packageVersion : "");
      EXPECT_EQ(window.Text(EditInstallDir), installed);  // with its backslash
    } else {
      EXPECT_EQ(window.Text(LabelOldVersion), "LabelOldVersion");
    }
    if (c.package) {
      EXPECT_EQ(window.Text(LabelVersion), packageVersion);
    }
    Process().Kill();
  }
}

TEST_F(StartupTest, RecordOfVersionNoneIsNoInstallation) {
  LayOutSampleDistribution();
  RecordInstallation("None", Root + "Installed\\");
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.Tabs(), (Tabs{Welcome, Delphi, Install}));
  EXPECT_EQ(window.Text(EditInstallDir), ProgramFiles + "Quillmark");
}

TEST_F(StartupTest, RecordWhoseDirectoryLostQuillmkExeStillAppliesTheIdeDirectories) {
  LayOutSampleDistribution();
  CreateDirectories(Root + "Gone\\");
  WriteInstallationRecord("1.0", Root + "Gone\\");
  WriteRegBinary(HKEY_LOCAL_MACHINE, InstallationKey, "Delphi30Dir", LengthPrefixed("C:\\Tools\\Lib"));
  WriteRegBinary(HKEY_LOCAL_MACHINE, InstallationKey, "BCB10Dir", LengthPrefixed("D:\\Bcb"));
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.Tabs(), (Tabs{Welcome, Delphi, Install}));
  EXPECT_EQ(window.Text(EditInstallDir), ProgramFiles + "Quillmark");
  for (const auto& [check, edit, dir] : {std::tuple<int, int, const char*>{CheckDelphi30, EditDelphi30, "C:\\Tools\\Lib"},
                                         {CheckBCB10, EditBCB10, "D:\\Bcb"}}) {
    EXPECT_TRUE(window.Checked(check));
    EXPECT_EQ(window.Text(edit), dir);
    EXPECT_TRUE(window.ReadOnly(edit));
  }
  EXPECT_FALSE(window.Checked(CheckDelphi40));
  EXPECT_FALSE(window.ReadOnly(EditDelphi40));
}

TEST_F(StartupTest, ProposesDirectoriesAndSpaceFromThePackages) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  const std::string base = ProgramFiles + "Quillmark";
  EXPECT_EQ(window.Text(EditInstallDir), base);
  EXPECT_EQ(window.Text(EditDelphi10), base + "\\Delphi10");
  EXPECT_EQ(window.Text(EditBCB30), base + "\\BCB30");
  const int64_t needed = ReadPackageFacts(Dist().PathOf("Quillmk.pak")).TotalSize + FileSize(Dist().SetupPath());
  EXPECT_EQ(window.Text(LabelSpaceNeeded), KiloBytes(needed));
}

TEST_F(StartupTest, AcceptsCrLfAfterTheProductName) {
  Dist().AddSetup();
  Dist().WriteFile("Quillmk.pak", PackageImage("3.1 beta\r\n", {TextMember("a.txt", "a")}, "Quillmark\r\n"));
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.Tabs(), (Tabs{Welcome, Delphi, Install}));
  EXPECT_EQ(window.Text(LabelVersion), "3.1 beta\r\n");  // kept as it is
}

TEST_F(StartupTest, DetectsDelphi1FromTheSearchPathInDelphiIni) {
  LayOutSampleDistribution();
  struct Case {
    const char* searchPath;
    const char* detected;  // nullptr: not detected
  };
  const Case cases[] = {
      {"C:\\DELPHI\\LIB;C:\\X", "C:\\DELPHI\\LIB"},
      {"C:\\X;c:\\delphi\\lib", "c:\\delphi\\lib"},
      {"C:\\DELPHI\\LIB\\SUB", nullptr},
      {"C:\\LIBRARY;C:\\DELPHI\\LIB", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.searchPath);
    WritePrivateProfileStringA("Library", "SearchPath", c.searchPath, "DELPHI.INI");
    Start();
    WindowDriver window = WaitForMainWindow();
    EXPECT_EQ(window.Checked(CheckDelphi10), c.detected != nullptr);
    EXPECT_EQ(window.Text(EditDelphi10), c.detected ? c.detected : ProgramFiles + "Quillmark\\Delphi10");
    Process().Kill();
  }
}

TEST_F(StartupTest, TicksADetectedEnvironmentWhosePackageIsMissing) {
  Dist().AddSetup();
  for (const char* name : SamplePackages)
    if (std::string(name) != "Delphi30.pak" && std::string(name) != "BCB10.pak") Dist().AddPackage(name);
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Borland\\Delphi\\3.0", "RootDir", "C:\\Borland\\Delphi3");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Borland\\C++Builder\\1.0", "RootDir", "C:\\CBuilder");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Borland\\Delphi\\4.0", "RootDir", "C:\\Delphi4");
  Start();
  WindowDriver window = WaitForMainWindow();
  struct Option {
    int check, edit;
    const char* dir;
    bool packagePresent;
  };
  for (const Option& o : {Option{CheckDelphi30, EditDelphi30, "C:\\Borland\\Delphi3\\Lib", false},
                          Option{CheckBCB10, EditBCB10, "C:\\CBuilder\\Lib\\Obj", false},
                          Option{CheckDelphi40, EditDelphi40, "C:\\Delphi4\\Lib", true}}) {
    EXPECT_TRUE(window.Checked(o.check)) << o.dir;
    EXPECT_EQ(window.Enabled(o.check), o.packagePresent) << o.dir;
    EXPECT_TRUE(window.Enabled(o.edit)) << o.dir;
    EXPECT_EQ(window.Text(o.edit), o.dir);
  }
  // The missing packages add nothing; Delphi 4's adds its own size.
  const int64_t needed = ReadPackageFacts(Dist().PathOf("Quillmk.pak")).TotalSize + FileSize(Dist().SetupPath()) +
                         ReadPackageFacts(Dist().PathOf("Delphi40.pak")).TotalSize;
  EXPECT_EQ(window.Text(LabelSpaceNeeded), KiloBytes(needed));
}

TEST_F(StartupTest, ProposesTheProgramFilesDirectoryOfAnotherDrive) {
  const std::string drive = SecondDriveRoot();
  ASSERT_FALSE(drive.empty());
  LayOutSampleDistribution();
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                 drive + "Apps");
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.Text(EditInstallDir), drive + "Apps\\Quillmark");
  EXPECT_EQ(window.Text(ComboInstallDrive), drive.substr(0, 2));
  EXPECT_EQ(window.Text(EditDelphi30), drive + "Apps\\Quillmark\\Delphi30");
}

TEST_F(StartupTest, WrongSignatureShowsTheErrorAndTheWindow) {
  Dist().AddSetup();
  std::vector<uint8_t> image = PackageImage("1.0", {TextMember("a.txt", "a")});
  image[0] = 'X';
  Dist().WriteFile("Quillmk.pak", image);
  Start();
  const MessageBoxContent content = ConfirmMessageBox(Process());
  EXPECT_EQ(content.Caption, "Quillmark Setup");
  EXPECT_EQ(content.Text, "PAK file corrupt.");
  EXPECT_EQ(content.Icon, ShownIcon::Error);
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.CurrentTab(), Welcome);
  EXPECT_EQ(window.Text(LabelVersion), "LabelVersion");  // nothing filled
}

TEST_F(StartupTest, WrongProductNameEndsTheProgramWithoutAWindow) {
  Dist().AddSetup();
  Dist().WriteFile("Quillmk.pak", PackageImage("1.0", {TextMember("a.txt", "a")}, "Quillmark\n"));
  Start();
  const MessageBoxContent content = ConfirmMessageBox(Process());
  EXPECT_EQ(content.Caption, "Quillmark Setup");
  EXPECT_EQ(content.Text, "File Quillmk.pak is corrupt");
  EXPECT_EQ(content.Icon, ShownIcon::None);
  EXPECT_EQ(content.Buttons, 1);
  EXPECT_EQ(Process().MainWindow(), nullptr);
  EXPECT_TRUE(Process().WaitForExit(10000));
  EXPECT_EQ(Process().MainWindow(), nullptr);
}

TEST_F(StartupTest, TruncatedTableShowsTheErrorBox) {
  Dist().AddSetup();
  std::vector<uint8_t> image = PackageImage("1.0", {TextMember("a.txt", "a"), TextMember("b.txt", "b")});
  // Cut inside the first entry: header (7 + 4 + 9 + 4 + 3 + 1) and EntryCount, then 3 bytes.
  image.resize(7 + 4 + 9 + 4 + 3 + 1 + 4 + 3);
  Dist().WriteFile("Quillmk.pak", image);
  Start();
  const MessageBoxContent content = ConfirmMessageBox(Process());
  EXPECT_EQ(content.Caption, "Quillmark Setup");
  EXPECT_EQ(content.Icon, ShownIcon::Error);
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.CurrentTab(), Welcome);
  // The state reached: the version was read and shown before the table ran out.
  EXPECT_EQ(window.Text(LabelVersion), "1.0");
  EXPECT_EQ(window.Text(LabelSpaceNeeded), "000 kB");
}

}  // namespace
}  // namespace e2e
