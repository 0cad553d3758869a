#include "Driver.h"

namespace e2e {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class SweeperTest : public SetupTest {
protected:
  // A copy of the helper in a folder of its own; it starts with that folder as its current one.
  std::string HelperCopy() {
    const std::string dir = Root + "helper\\";
    CreateDirectories(dir);
    CopyOneFile(BuiltSweeper(), dir + "Sweeper.exe");
    return dir + "Sweeper.exe";
  }
  // "Setup.exe" alone in a fresh folder.
  std::string LoneFile(const std::string& folder) {
    const std::string dir = Root + folder + "\\";
    CreateDirectories(dir);
    WriteTextFile(dir + "Setup.exe", "stand-in");
    return dir + "Setup.exe";
  }
  static void ExpectEndsWithoutBox(const SetupProcess& helper) {
    ASSERT_TRUE(helper.WaitForExit(20000)) << "the helper did not end";
    EXPECT_EQ(helper.ExitCode(), 0u);
  }
  static std::string Folder(const std::string& file) { return file.substr(0, file.find_last_of('\\')); }
};

TEST_F(SweeperTest, WithoutArgumentsExplainsItselfAndDeletesNothing) {
  const std::string helper = HelperCopy();
  const std::string bystander = LoneFile("bystander");
  SetupProcess process(helper);
  const HWND box = process.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  const MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.Caption, "Sweeper");
  EXPECT_EQ(content.Text, "Sweeper.exe is a leftover from an uninstall program.\rYou can safely delete it.");
  EXPECT_EQ(content.Icon, ShownIcon::None);
  EXPECT_EQ(content.Buttons, 1);
  AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(process.WaitForExit(10000));
  EXPECT_EQ(process.ExitCode(), 0u);
  EXPECT_TRUE(FileExists(helper));
  EXPECT_TRUE(FileExists(bystander));
}

TEST_F(SweeperTest, OneArgumentRemovesFileAndItsEmptyFolderSilently) {
  const std::string file = LoneFile("one");
  SetupProcess helper(HelperCopy(), Quoted(file));
  ExpectEndsWithoutBox(helper);
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(Folder(file)));
}

TEST_F(SweeperTest, FourArgumentsRemoveButShowNoMessage) {
  const std::string file = LoneFile("four");
  SetupProcess helper(HelperCopy(), Quoted(file) + " \"Done.\" \"Caption\" extra");
  ExpectEndsWithoutBox(helper);
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(Folder(file)));
}

// The file is held open (as the running Setup.exe is) for a while, and read-only (as a copy
// from a CD is): the helper waits, deletes it once released, removes the folder and only then
// shows the message.
TEST_F(SweeperTest, ThreeArgumentsWaitForReleaseThenShowTheMessage) {
  const std::string file = LoneFile("with blanks in it");
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  HeldFile held(file);
  ASSERT_TRUE(held.Held());
  SetupProcess helper(HelperCopy(), Quoted(file) + " \"Quillmark has been successfully uninstalled.\" \"Uninstall complete\"");
  Sleep(1500);
  EXPECT_TRUE(helper.Running());
  EXPECT_EQ(helper.MessageBoxWindow(), nullptr) << "the message came before the file was released";
  EXPECT_TRUE(FileExists(file));
  held.Release();

  const HWND box = helper.WaitForMessageBox(20000);
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(Folder(file)));
  const MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.Icon, ShownIcon::None);
  EXPECT_EQ(content.Caption, "Uninstall complete");
  EXPECT_EQ(content.Text, "Quillmark has been successfully uninstalled.");
  EXPECT_EQ(content.Buttons, 1);
  AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(helper.WaitForExit(10000));
  EXPECT_EQ(helper.ExitCode(), 0u);
}

// A name that is found but can never be deleted (here a folder) must not keep the helper
// spinning for ever: it waits between attempts, gives up after a minute, then still tries the
// folder and shows its message.
TEST_F(SweeperTest, UndeletableNameIsGivenUpAfterAMinuteWithoutSpinning) {
  const std::string parent = Root + "stuck\\";
  const std::string undeletable = parent + "folder";
  CreateDirectories(undeletable + "\\");
  const DWORD started = GetTickCount();
  SetupProcess helper(HelperCopy(), Quoted(undeletable) + " \"Done.\" \"Caption\"");
  Sleep(3000);
  ASSERT_TRUE(helper.Running());
  FILETIME created, ended, kernel, user;
  ASSERT_TRUE(GetProcessTimes(helper.Handle(), &created, &ended, &kernel, &user));
  const ULONGLONG busy100ns = (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart +
                               ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart);
  EXPECT_LT(busy100ns, 10000000ull) << "more than a second of processor time in three: no pause";

  const HWND box = helper.WaitForMessageBox(80000);
  ASSERT_NE(box, nullptr) << "the helper never gave up";
  EXPECT_GE(GetTickCount() - started, 55000u) << "gave up long before a minute";
  EXPECT_EQ(ReadMessageBox(box).Text, "Done.");
  AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(helper.WaitForExit(10000));
  EXPECT_TRUE(DirectoryExists(undeletable));
}

TEST_F(SweeperTest, FolderThatIsNotEmptyStays) {
  const std::string file = LoneFile("kept");
  WriteTextFile(Folder(file) + "\\user.txt", "mine");
  SetupProcess helper(HelperCopy(), Quoted(file));
  ExpectEndsWithoutBox(helper);
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(FileExists(Folder(file) + "\\user.txt"));
}

// The directory part is the drive root, whose removal fails silently.
TEST_F(SweeperTest, FileInDriveRoot) {
  const std::string root = SecondDriveRoot();
  ASSERT_FALSE(root.empty());
  const std::string file = root + "qm-sweeper-root.txt";
  WriteTextFile(file, "x");
  SetupProcess helper(HelperCopy(), Quoted(file));
  ExpectEndsWithoutBox(helper);
  EXPECT_FALSE(FileExists(file));
}

// No "\" or ":": the name is taken in the current directory, and no directory is removed.
TEST_F(SweeperTest, BareNameIsTakenInTheCurrentDirectory) {
  const std::string helperPath = HelperCopy();
  const std::string dir = Folder(helperPath) + "\\";
  WriteTextFile(dir + "leftover.txt", "x");
  CreateDirectories(dir + "empty");
  SetupProcess helper(helperPath, "leftover.txt");
  ExpectEndsWithoutBox(helper);
  EXPECT_FALSE(FileExists(dir + "leftover.txt"));
  EXPECT_TRUE(DirectoryExists(dir + "empty"));
}

TEST_F(SweeperTest, MissingFileStillRemovesTheEmptyFolder) {
  const std::string dir = Root + "already-empty\\";
  CreateDirectories(dir);
  SetupProcess helper(HelperCopy(), Quoted(dir + "Setup.exe"));
  ExpectEndsWithoutBox(helper);
  EXPECT_FALSE(DirectoryExists(dir));
}

}  // namespace
}  // namespace e2e
