// Shortcuts when a shell folder is missing or cannot take the shortcut.
#include "InstallChecks.h"

namespace e2e {
namespace {

using ShortcutsTest = SetupTest;

const char* const ShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST_F(ShortcutsTest, MissingStartMenuValueSkipsOnlyThatShortcut) {
  LayOutSampleDistribution();
  RemoveShellFolder("Start Menu");
  Start();
  WindowDriver window = WaitForMainWindow();
  window.ClickAndWait(CheckStartMenu);
  ASSERT_TRUE(window.Checked(CheckStartMenu));
  InstallAndWaitForFinished(window);

  const std::string exe = ProgramFiles + "Quillmark\\Quillmk.exe";
  for (const std::string& folder : {Desktop, Programs}) {
    const ShortcutFacts link = ReadShortcut(folder + "Quillmark.lnk");
    EXPECT_TRUE(link.Loaded) << folder;
    EXPECT_EQ(link.Path, exe) << folder;
  }
  EXPECT_FALSE(FileExists(StartMenu + "Quillmark.lnk"));
  // Still missing: Setup had no Start Menu folder to write to, not even the user's real one.
  EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, ShellFoldersKey, "Start Menu").Exists);
}

// The Desktop shortcut comes first; when it cannot be saved (its folder does not exist) the
// later ones are not made, no box says so (the log does), and the installation goes on to its
// record. (A read-only shortcut in its place would not do: Wine running as root writes over it.)
TEST_F(ShortcutsTest, DesktopShortcutThatCannotBeSavedStopsTheOthersSilently) {
  LayOutSampleDistribution();
  const std::string missingFolder = Root + "No Desktop\\";
  SetShellFolder("Desktop", missingFolder);
  const std::string log = Root + "setup log.txt";
  Start(std::string(), "\"/LOG=" + log + "\"");
  WindowDriver window = WaitForMainWindow();
  window.ClickAndWait(CheckStartMenu);
  ASSERT_TRUE(window.Checked(CheckDesktop));
  InstallAndWaitForFinished(window);

  EXPECT_FALSE(DirectoryExists(missingFolder));
  EXPECT_NE(ReadTextFile(log).find("Shortcuts stopped: Cannot save " + missingFolder +
                                   "Quillmark.lnk: the folder does not exist"),
            std::string::npos)
      << ReadTextFile(log);
  EXPECT_FALSE(FileExists(StartMenu + "Quillmark.lnk"));
  EXPECT_FALSE(FileExists(Programs + "Quillmark.lnk"));
  ExpectValue(HKEY_LOCAL_MACHINE, InstallationKey, "InstallDir", REG_BINARY,
              LengthPrefixed(ProgramFiles + "Quillmark\\"));
}

// A Desktop folder reached through a link is skipped like a missing value; a "Quillmark.lnk"
// that is a link to another file is replaced by the shortcut, and that file stays as it was.
TEST_F(ShortcutsTest, LinksInTheFoldersAreNeverWrittenThrough) {
  LayOutSampleDistribution();
  const std::string victim = Root + "Victim\\";
  CreateDirectories(victim + "Desktop\\");
  WriteTextFile(victim + "File.txt", "not Quillmark's");
  MakeUnixLink(Root + "DeskLink", victim);
  SetShellFolder("Desktop", Root + "DeskLink\\Desktop");
  MakeUnixLink(Programs + "Quillmark.lnk", victim + "File.txt");
  const std::string before = FolderContents(victim);
  const std::string log = Root + "setup log.txt";
  Start(std::string(), "\"/LOG=" + log + "\"");
  WindowDriver window = WaitForMainWindow();
  InstallAndWaitForFinished(window);

  EXPECT_EQ(FolderContents(victim), before);
  EXPECT_NE(ReadTextFile(log).find("Shortcut skipped: the Desktop folder " + Root + "DeskLink\\Desktop\\ is reached "
                                   "through a link"),
            std::string::npos)
      << ReadTextFile(log);
  EXPECT_EQ(ReadShortcut(Programs + "Quillmark.lnk").Path, ProgramFiles + "Quillmark\\Quillmk.exe");
  EXPECT_EQ(FilesBelow(Programs), std::vector<std::string>{"Quillmark.lnk"}) << "a temporary file is left";
  RemoveUnixLink(Root + "DeskLink");
}

}  // namespace
}  // namespace e2e
