// The distribution's Setup.exe installs only the packages it pins, each read through the one
// handle it opened at start, and leaves the copy of the program that runs, named Setup.exe.
#include "InstallChecks.h"

namespace e2e {
namespace {

const char* const RecordKey = "Software\\Penwright\\Quillmark\\Installation";
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark";

class PinnedSetupTest : public SetupTest {
protected:
  void SetUp() override {
    SetupTest::SetUp();
    Log = Root + "setup.log";
    Dir = ProgramFiles + "Quillmark\\";
    Dist().AddPinnedSetup();
    Dist().AddSamplePackages();
  }

  DWORD RunToEnd(const std::string& arguments, const std::string& exePath = std::string()) {
    Start(exePath, arguments + " \"/LOG=" + Log + "\"");
    EXPECT_TRUE(Process().WaitForExit(60000)) << arguments;
    return Process().ExitCode();
  }

  bool LogHas(const std::string& text) const { return ReadTextFile(Log).find(text) != std::string::npos; }

  void ExpectNothingInstalled() {
    EXPECT_FALSE(DirectoryExists(Dir));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey));
  }

  std::string Log, Dir;
};

// A package packed anew with one byte changed has sound CRCs: only its digest tells it apart.
// The application's is refused at start-up, an option's when it is scanned (a command that
// names it then ends before anything changes); nothing is written either way.
TEST_F(PinnedSetupTest, APackageRebuiltWithValidCrcsIsRefusedBeforeAnythingChanges) {
  const struct {
    const char* package;
    const char* arguments;
  } rows[] = {{"Quillmk.pak", "/VERYSILENT"}, {"Delphi30.pak", "/VERYSILENT /COMPONENTS=Delphi30"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.package);
    Dist().AddPackage(row.package);
    const std::vector<uint8_t> original = ReadFileBytes(Dist().PathOf(row.package));
    Dist().WriteFile(row.package, RebuiltWithOneByteChanged(Dist().PathOf(row.package)));
    ASSERT_EQ(ReadPackageFacts(Dist().PathOf(row.package)).MemberNames,
              ReadPackageFacts(BuildDistDir() + row.package).MemberNames);
    EXPECT_EQ(RunToEnd(row.arguments), 2u);
    EXPECT_TRUE(LogHas(std::string("PAK file ") + row.package + " is corrupt: it is not the package this Setup was built with"))
        << ReadTextFile(Log);
    ExpectNothingInstalled();
    Dist().WriteFile(row.package, original);
  }
}

// Once start-up has read a package, no one can replace or change it until Setup ends: what the
// Install button installs is what start-up read.
TEST_F(PinnedSetupTest, APackageCannotBeSwappedAfterStartUp) {
  const std::string swapped = Root + "swapped.pak";
  WriteFileBytes(swapped, RebuiltWithOneByteChanged(Dist().PathOf("Quillmk.pak")));
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_FALSE(MoveFileExA(swapped.c_str(), Dist().PathOf("Quillmk.pak").c_str(), MOVEFILE_REPLACE_EXISTING));
  const HANDLE writer = CreateFileA(Dist().PathOf("Quillmk.pak").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  window.Type(EditInstallDir, Dir);
  InstallAndWaitForFinished(window);
  window.Click(QuitBtn);
  ASSERT_TRUE(Process().WaitForExit(15000));
  EXPECT_EQ(ReadFileBytes(Dir + "Quillmk.exe"), ReadFileBytes(BuildDistDir() + "Quillmk.exe"));
}

// Started under the name a browser or a release gives it, Setup still leaves Setup.exe: the
// name Add/Remove Programs runs, and the one Uninstall and its helper remove.
TEST_F(PinnedSetupTest, ARenamedSetupLeavesSetupExeWhichRemovesEverything) {
  const std::string renamed = Dist().PathOf("QuillmarkSetup-1.0.exe");
  ASSERT_TRUE(MoveFileA(Dist().SetupPath().c_str(), renamed.c_str()));
  EXPECT_EQ(RunToEnd("/VERYSILENT", renamed), 0u);
  EXPECT_EQ(ReadFileBytes(Dir + "Setup.exe"), ReadFileBytes(renamed));
  EXPECT_FALSE(FileExists(Dir + "QuillmarkSetup-1.0.exe"));

  RunQuietUninstallString();
  EXPECT_EQ(Process().ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(Dir); }, 30000));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, UninstallKey));
}

// A user renames the running Setup.exe and drops another file under its name before Install is
// pressed: Setup has held its own file from the start, so the rename is refused, and the copy it
// leaves is the program that ran, byte for byte.
TEST_F(PinnedSetupTest, TheCopyIsTheRunningProgramEvenIfItsNameIsTaken) {
  const std::vector<uint8_t> program = ReadFileBytes(Dist().SetupPath());
  Start();
  WindowDriver window = WaitForMainWindow();
  const std::string aside = Dist().PathOf("Setup-renamed.exe");
  const bool renamed = MoveFileA(Dist().SetupPath().c_str(), aside.c_str());
  EXPECT_FALSE(renamed) << "the running Setup.exe could be renamed";
  if (renamed) WriteFileBytes(Dist().SetupPath(), std::vector<uint8_t>(27, 'x'));
  window.Type(EditInstallDir, Dir);
  InstallAndWaitForFinished(window);
  window.Click(QuitBtn);
  ASSERT_TRUE(Process().WaitForExit(15000));
  EXPECT_EQ(ReadFileBytes(Dir + "Setup.exe"), program);
}

}  // namespace
}  // namespace e2e
