// Names in any language: installation folders and a Desktop named outside the system's code
// page, on an English and a Japanese system, and on Windows before 10 1903, which ignore the
// UTF-8 declaration and run Setup in the system's code page.
#include "InstallChecks.h"

namespace e2e {
namespace {

struct Language {
  const char* name;
  const char* lang;    // the system's language, as Wine takes it from LANG
  const char* folder;  // the installation directory, in the test's folder
  bool utf8 = true;    // false: Setup without its UTF-8 declaration, as older Windows run it
  bool folderFits = true;   // in the code page Setup runs in
  bool desktopFits = true;  // the Chinese Desktop, likewise
};

class LanguageTest : public SetupTest, public ::testing::WithParamInterface<Language> {
protected:
  void SetUp() override {
    SetupTest::SetUp();
    ChineseDesktop = Root + "王伟的桌面\\";
    CreateDirectories(ChineseDesktop);
    SetShellFolder("Desktop", ChineseDesktop);
    Log = Root + "setup.log";
  }

  DWORD RunSilently(const std::string& exePath, std::vector<std::string> arguments) {
    arguments.push_back("/VERYSILENT");
    arguments.push_back("/LOG=" + Log);
    return RunInLocale(GetParam().lang, exePath, arguments);
  }

  bool LogHas(const std::string& text) const { return ReadTextFile(Log).find(text) != std::string::npos; }

  std::string ChineseDesktop, Log;
};

// The log names every folder exactly, in UTF-8 as the test's own texts are.
TEST_P(LanguageTest, InstallsAndUninstallsInAFolderOfThatName) {
  const Language& row = GetParam();
  if (row.utf8) {
    Dist().AddSetup();
  } else {
    Dist().AddSetupInOldCodePage();
  }
  Dist().AddSamplePackages();
  // Below the test's Program Files: an existing folder a user made is no place Setup installs to.
  const std::string dir = ProgramFiles + row.folder;
  const std::string desktopLink = ChineseDesktop + "Quillmark.lnk";

  const DWORD installed = RunSilently(Dist().SetupPath(), {"/DIR=" + dir});
  if (!row.folderFits) {
    EXPECT_EQ(installed, 3u);
    EXPECT_TRUE(LogHas("Its name holds \"?\", which Windows allows in no name and puts for each character that this "
                       "system's code page (1252) cannot represent"))
        << ReadTextFile(Log);
    EXPECT_FALSE(DirectoryExists(dir));
    return;
  }
  ASSERT_EQ(installed, 0u) << ReadTextFile(Log);
  EXPECT_TRUE(FileExists(dir + "\\Quillmk.exe"));
  EXPECT_TRUE(FileExists(dir + "\\Setup.exe")) << "the uninstaller";
  EXPECT_TRUE(LogHas("Directory created: " + dir + "\r\n")) << ReadTextFile(Log);
  EXPECT_TRUE(LogHas("File written: " + dir + "\\Quillmk.exe, "));
  if (row.desktopFits) {
    EXPECT_TRUE(LogHas("Shortcut created: " + desktopLink));
    // A link keeps its path in the code page it was saved in: this program reads UTF-8 only.
    if (row.utf8) {
      EXPECT_EQ(ReadShortcut(desktopLink).Path, dir + "\\Quillmk.exe");
    }
  } else {
    EXPECT_FALSE(FileExists(desktopLink));
    EXPECT_TRUE(LogHas("Shortcut skipped: the shell folder \"Desktop\" is \"" + ChineseDesktop +
                       "\", which this system's code page"));
  }

  // From the installed copy, whose helper removes the copy and the folder once Setup has ended;
  // an installation of an older Windows by the Setup that takes every name, as after an upgrade
  // (its record holds the system's code page).
  std::string uninstaller = dir + "\\Setup.exe";
  if (!row.utf8) {
    uninstaller = Root + "new\\Setup.exe";
    CreateDirectories(Root + "new");
    CopyOneFile(BuildDistDir() + "Setup.exe", uninstaller);
  }
  EXPECT_EQ(RunSilently(uninstaller, {"/UNINSTALL"}), 0u) << ReadTextFile(Log);
  EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(dir); }, 30000)) << ReadTextFile(Log);
  EXPECT_FALSE(FileExists(desktopLink));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, InstallationKey));
  EXPECT_TRUE(LogHas("File deleted: " + dir + "\\QUILLMK.EXE"));
  if (row.desktopFits) {
    EXPECT_TRUE(LogHas("Shortcut removed: " + desktopLink));
  }
}

using OldCodePageTest = SetupTest;

// In an old code page, a Setup started from a folder that code page cannot name would find no
// package beside it ("?" stands in the path): it says why instead, and changes nothing.
TEST_F(OldCodePageTest, SetupInAFolderItCannotNameSaysWhy) {
  Distribution cyrillic(Root + "Квиллмарк");
  cyrillic.AddSetupInOldCodePage();
  for (const char* package : SamplePackages) CopyOneFile(BuildDistDir() + package, cyrillic.PathOf(package));
  const std::string log = Root + "setup.log";
  EXPECT_EQ(RunInLocale("en_US.UTF-8", cyrillic.SetupPath(), {"/VERYSILENT", "/LOG=" + log}), 2u);
  EXPECT_NE(ReadTextFile(log).find("code page (1252) cannot represent its folder's name"), std::string::npos)
      << ReadTextFile(log);
  EXPECT_FALSE(DirectoryExists(ProgramFiles + "Quillmark"));
}

// DELPHI.INI belongs to the 16-bit Delphi, which reads it in the system's code page. The profile
// calls of a program running in UTF-8 would rewrite such text as replacement characters.
TEST_F(OldCodePageTest, DelphiIniTextInTheSystemsCodePageIsLeftAsItWas) {
  LayOutSampleDistribution();
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  const std::string ini = JoinPath(windows, "DELPHI.INI"), log = Root + "setup.log";
  const std::string text = "[Transfer]\r\nCount=1\r\nTitle0=M\xFCller\r\nPath0=C:\\M\xFCller\\Tool.exe\r\n";
  WriteFileBytes(ini, std::vector<uint8_t>(text.begin(), text.end()));
  SetupProcess& setup = Start(std::string(), "/VERYSILENT /COMPONENTS=Delphi10 \"/LOG=" + log + "\"");
  ASSERT_TRUE(setup.WaitForExit(60000));
  EXPECT_EQ(setup.ExitCode(), 0u);
  EXPECT_TRUE(FileExists(ProgramFiles + "Quillmark\\Delphi10\\QMHCEdit.pas"));
  EXPECT_EQ(ReadTextFile(ini), text);
  EXPECT_NE(ReadTextFile(log).find("DELPHI.INI left unchanged: it holds text in the system's code page"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, LanguageTest,
    ::testing::Values(Language{"English_Latin", "en_US.UTF-8", "Müller"},
                      Language{"English_Cyrillic", "en_US.UTF-8", "Квиллмарк"},
                      Language{"English_Chinese", "en_US.UTF-8", "王伟的程序"},
                      Language{"English_Japanese", "en_US.UTF-8", "表示"},
                      Language{"Japanese_Latin", "ja_JP.UTF-8", "Müller"},
                      Language{"Japanese_Cyrillic", "ja_JP.UTF-8", "Квиллмарк"},
                      Language{"Japanese_Chinese", "ja_JP.UTF-8", "王伟的程序"},
                      Language{"Japanese_Japanese", "ja_JP.UTF-8", "表示"},
                      // Code page 1252 has "ü" but no Cyrillic; 932 has "一覧表", which ends in 95 5C,
                      // a backslash byte inside a character, but not the simplified "伟"; 936 has both.
                      Language{"OldEnglish_Latin", "en_US.UTF-8", "Müller", false, true, false},
                      Language{"OldEnglish_Cyrillic", "en_US.UTF-8", "Квиллмарк", false, false, false},
                      Language{"OldJapanese_Japanese", "ja_JP.UTF-8", "一覧表", false, true, false},
                      Language{"OldChinese_Chinese", "zh_CN.UTF-8", "王伟的程序", false, true, true}),
    [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
