#include "InstallChecks.h"

namespace e2e {
namespace {

const char* const RecordKey = "Software\\Penwright\\Quillmark\\Installation";
const char* const Question = "Are you absolutely sure you wish to uninstall Quillmark?";
const char* const QuestionCaption = "(You must have accidentically pressed that button...)";
const char* const Done = "Quillmark has been successfully uninstalled.";
const char* const DoneCaption = "Uninstall complete";
const int IdeChecks[] = {CheckDelphi10, CheckDelphi20, CheckDelphi30, CheckDelphi40, CheckBCB10, CheckBCB30};

// The keys and values that installation leaves besides the record.
struct RegistryItem {
  HKEY Root;
  const char* Path;
};
const RegistryItem Registration[] = {
    {HKEY_LOCAL_MACHINE, "Software\\Penwright\\Quillmark"},
    {HKEY_CURRENT_USER, "Software\\Penwright\\Quillmark"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quillmk.exe"},
    {HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp"},
    {HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark"},
};

// A visible top-level message box of any process, found by its caption.
HWND TopLevelBox(const std::string& caption) {
  for (HWND window : TopLevelWindows()) {
    if (IsWindowVisible(window) && ClassOf(window) == "#32770" && WindowText(window) == caption) return window;
  }
  return nullptr;
}

std::vector<std::string> SortedFilesBelow(const std::string& dir) {
  std::vector<std::string> files = EntriesBelow(dir);
  std::sort(files.begin(), files.end());
  return files;
}

// As a copy from a CD is.
void MakeReadOnly(const std::string& path) { ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)); }
bool ReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The registry-held Tools-menu lists and their Count forms.
const std::pair<const char*, bool> ToolsLists[] = {{"Software\\Borland\\Delphi\\2.0\\Transfer", false},
                                                   {"Software\\Borland\\Delphi\\3.0\\Transfer", false},
                                                   {"Software\\Borland\\Delphi\\4.0\\Transfer", true},
                                                   {"Software\\Borland\\C++Builder\\1.0\\Transfer", false},
                                                   {"Software\\Borland\\C++Builder\\3.0\\Transfer", true}};

std::string TempDirectory() {
  char buffer[MAX_PATH] = "";
  GetTempPathA(sizeof buffer, buffer);
  return buffer;
}

// "C:\windows\Temp\": where the helper's private folders go.
std::string SystemTemp() {
  char buffer[MAX_PATH] = "";
  GetWindowsDirectoryA(buffer, sizeof buffer);
  return WithBackslash(buffer) + "Temp\\";
}

class UninstallTest : public SetupTest {
protected:
  void SetUp() override {
    SetupTest::SetUp();
    Dir = ProgramFiles + "Quillmark\\";
  }

  // The state an installation leaves, laid out directly: the listed files, the copy of
  // Setup.exe, the record, the shell registration (with subkeys) and the three shortcuts.
  void LayOutInstallation(const std::vector<std::string>& files, int64_t listSize = -1) {
    CreateDirectories(Dir);
    WriteTextFile(Dir + "Quillmk.exe", "start-up looks for it");
    for (const std::string& name : files) WriteTextFile(Dir + name, "installed");
    CopyOneFile(BuildDistDir() + "Setup.exe", Dir + "Setup.exe");
    WriteInstallationRecord("1.0", Dir);
    const std::vector<uint8_t> list = ListBytes(files);
    WriteRegDword(HKEY_LOCAL_MACHINE, RecordKey, "InstallFilesSize",
                  static_cast<uint32_t>(listSize < 0 ? static_cast<int64_t>(list.size()) : listSize));
    WriteRegBinary(HKEY_LOCAL_MACHINE, RecordKey, "InstallFiles", list);
    WriteRegString(HKEY_CURRENT_USER, "Software\\Penwright\\Quillmark\\Options", "Last", "x");
    WriteRegString(HKEY_LOCAL_MACHINE, Registration[2].Path, "", Dir + "Quillmk.exe");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp", "", "QuillmarkProject");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell\\Open\\Command", "", Dir + "Quillmk.exe \"%1\"");
    WriteRegString(HKEY_LOCAL_MACHINE, Registration[5].Path, "UninstallString", Dir + "Setup.exe");
    for (const std::string& folder : {Desktop, StartMenu, Programs}) WriteTextFile(folder + "Quillmark.lnk", "link");
  }

  // One IDE option of the record: its directory with the files, and (unless left out) the size.
  void RecordIdeOption(const std::string& key, const std::vector<std::string>& files, bool withSize) {
    const std::string dir = Dir + key;
    CreateDirectories(dir);
    for (const std::string& name : files) WriteTextFile(dir + "\\" + name, "installed");
    WriteRegBinary(HKEY_LOCAL_MACHINE, RecordKey, key + "Dir", LengthPrefixed(dir));
    if (withSize) WriteRegDword(HKEY_LOCAL_MACHINE, RecordKey, key + "FilesSize", static_cast<uint32_t>(16 * files.size()));
    WriteRegBinary(HKEY_LOCAL_MACHINE, RecordKey, key + "Files", ListBytes(files));
  }

  // Setup started from a folder that holds nothing but Setup.exe: the Uninstall page is active.
  WindowDriver StartElsewhere() {
    Dist().AddSetup();
    Start();
    WindowDriver window = WaitForMainWindow();
    EXPECT_EQ(window.CurrentTab(), "Uninstall");
    return window;
  }

  // Presses Remove and answers the question box, which is checked on the way.
  void Remove(const WindowDriver& window, int answer) {
    window.Click(UninstallBtn);
    const HWND box = Process().WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no question";
    const MessageBoxContent question = ReadMessageBox(box);
    EXPECT_EQ(question.Caption, QuestionCaption);
    EXPECT_EQ(question.Text, Question);
    EXPECT_EQ(question.Icon, ShownIcon::Question);
    EXPECT_EQ(question.Buttons, 2);
    AnswerMessageBox(box, answer);
  }

  // After Yes with Setup running elsewhere: Setup's own closing message, then its end.
  void ExpectClosingMessageFromSetup() {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = TopLevelBox(DoneCaption)) != nullptr; }, 30000));
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    EXPECT_EQ(owner, Process().Id()) << "the closing message must come from Setup itself";
    const MessageBoxContent content = ReadMessageBox(box);
    EXPECT_EQ(content.Icon, ShownIcon::None);
    EXPECT_EQ(content.Text, Done);
    EXPECT_EQ(content.Buttons, 1);
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(Process().WaitForExit(15000)) << "Setup did not end";
  }

  void ExpectRegistrationGone() {
    for (const RegistryItem& item : Registration) EXPECT_FALSE(RegKeyExists(item.Root, item.Path)) << item.Path;
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Penwright"));
  }

  void ExpectShortcutsGone() {
    for (const std::string& folder : {Desktop, StartMenu, Programs}) EXPECT_FALSE(FileExists(folder + "Quillmark.lnk"));
  }

  std::string Dir;  // the installation directory, ending in a backslash
};

// The sample distribution with every IDE option in its proposed folder inside the installation
// directory, each Tools menu holding another program: Install, then Uninstall from another
// folder, leaves the files and lists as they were (the INI list keeps its old last keys).
TEST_F(UninstallTest, InstallThenUninstallFromAnotherFolderLeavesNothing) {
  LayOutSampleDistribution();
  for (const auto& [list, numberCount] : ToolsLists) {
    WriteRegString(HKEY_CURRENT_USER, list, "Title0", "Other");
    WriteRegString(HKEY_CURRENT_USER, list, "Path0", "C:\\Tools\\Other.exe");
    if (numberCount)
      WriteRegDword(HKEY_CURRENT_USER, list, "Count", 1);
    else
      WriteRegString(HKEY_CURRENT_USER, list, "Count", "1");
  }
  WritePrivateProfileStringA("Transfer", "Path0", "C:\\Tools\\Other.exe", "DELPHI.INI");
  WritePrivateProfileStringA("Transfer", "Count", "1", "DELPHI.INI");
  const std::string other = Root + "other\\";
  CreateDirectories(other);
  CopyOneFile(Dist().SetupPath(), other + "Setup.exe");
  const std::vector<std::string> filesBefore = SortedFilesBelow(Root);
  const std::vector<std::string> listsBefore = RegTreeLines(HKEY_CURRENT_USER, "Software\\Borland");
  {
    Start();
    WindowDriver window = WaitForMainWindow();
    for (int check : IdeChecks)
      if (!window.Checked(check)) window.ClickAndWait(check);
    window.Click(NowBtn2);
    WaitForFinished(window);
    window.Click(QuitBtn);
    ASSERT_TRUE(Process().WaitForExit(15000));
  }
  ASSERT_TRUE(FileExists(Dir + "Setup.exe"));
  ASSERT_TRUE(DirectoryExists(Dir + "Delphi30"));
  ASSERT_EQ(IniText("Count"), "2");

  Start(other + "Setup.exe");
  WindowDriver window = WaitForMainWindow();
  window.SelectTab("Uninstall");
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();

  EXPECT_EQ(SortedFilesBelow(Root), filesBefore);
  EXPECT_EQ(RegTreeLines(HKEY_CURRENT_USER, "Software\\Borland"), listsBefore);
  ExpectRegistrationGone();
  ExpectShortcutsGone();
  EXPECT_EQ(IniText("Count"), "1");
  EXPECT_EQ(IniText("Path0"), "C:\\Tools\\Other.exe");
}

// What a deployment tool runs to remove the product: "QuietUninstallString" through cmd /c.
// The installed copy leaves the rest to the helper, which shows nothing; the run exits 0.
TEST_F(UninstallTest, QuietUninstallStringThroughCmdRemovesEverything) {
  LayOutSampleDistribution();
  Start(std::string(), "/VERYSILENT");
  ASSERT_TRUE(Process().WaitForExit(60000));
  ASSERT_EQ(Process().ExitCode(), 0u);
  RunQuietUninstallString();
  EXPECT_EQ(Process().ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(Dir); }, 30000));
  ExpectRegistrationGone();
  ExpectShortcutsGone();
  EXPECT_EQ(TopLevelBox(DoneCaption), nullptr) << "a box waits for someone who is not there";
}

// Setup.exe from read-only media: the copy it leaves stays writable, Update replaces a
// read-only copy, and Uninstall from another folder deletes one.
TEST_F(UninstallTest, ReadOnlySetupLeavesNoCopyBehind) {
  LayOutSampleDistribution();
  MakeReadOnly(Dist().SetupPath());
  const auto runToFinished = [&](int button) {
    Start();
    WindowDriver window = WaitForMainWindow();
    window.Click(button);
    WaitForFinished(window);
    window.Click(QuitBtn);
    ASSERT_TRUE(Process().WaitForExit(15000));
  };
  runToFinished(NowBtn2);
  EXPECT_FALSE(ReadOnly(Dir + "Setup.exe"));

  SetFileAttributesA((Dir + "Setup.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteTextFile(Dir + "Setup.exe", "an older copy");
  MakeReadOnly(Dir + "Setup.exe");
  WriteRegBinary(HKEY_LOCAL_MACHINE, RecordKey, "Version", LengthPrefixed("0.9"));
  runToFinished(UpdateBtn);
  EXPECT_EQ(ReadFileBytes(Dir + "Setup.exe"), ReadFileBytes(Dist().SetupPath()));
  EXPECT_FALSE(ReadOnly(Dir + "Setup.exe"));

  MakeReadOnly(Dir + "Setup.exe");
  const std::string other = Root + "other\\";
  CreateDirectories(other);
  CopyOneFile(Dist().SetupPath(), other + "Setup.exe");
  Start(other + "Setup.exe");
  WindowDriver window = WaitForMainWindow();
  window.SelectTab("Uninstall");
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();
  EXPECT_FALSE(FileExists(Dir + "Setup.exe"));
  EXPECT_FALSE(DirectoryExists(Dir));
}

// Setup.exe in the installation directory is the running program: the helper removes it and
// the directory once Setup has ended, then shows the closing message itself. It runs from a
// new folder of its own under the Windows temporary directory, never from the user's; that
// run removes earlier runs' folders, and only those.
TEST_F(UninstallTest, FromTheInstallationDirectoryTheHelperFinishes) {
  LayOutInstallation({"QUILLMK.EXE", "QUILLMK.HLP"});
  MakeReadOnly(Dir + "Setup.exe");  // as an earlier version copied it from a CD
  const std::string earlier = SystemTemp() + "QmSweeper-" + std::string(32, '0') + "\\";
  const std::string notOurs = SystemTemp() + "QmSweeper-keep\\";
  for (const std::string& folder : {earlier, notOurs}) {
    CreateDirectories(folder);
    WriteTextFile(folder + "Sweeper.exe", "an earlier helper");
  }
  const std::string userTemp = TempDirectory();
  DeleteFileA((userTemp + "Sweeper.exe").c_str());  // what earlier versions left
  Start(Dir + "Setup.exe");
  WindowDriver window = WaitForMainWindow();
  EXPECT_EQ(window.CurrentTab(), "Uninstall");
  Remove(window, IDYES);
  ASSERT_TRUE(Process().WaitForExit(30000)) << "Setup did not end";

  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = TopLevelBox(DoneCaption)) != nullptr; }, 30000));
  DWORD owner = 0;
  GetWindowThreadProcessId(box, &owner);
  EXPECT_NE(owner, Process().Id());
  EXPECT_FALSE(FileExists(Dir + "Setup.exe"));
  EXPECT_FALSE(DirectoryExists(Dir));
  ExpectRegistrationGone();
  ExpectShortcutsGone();
  EXPECT_EQ(ReadMessageBox(box).Text, Done);
  HANDLE helper = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner);
  ASSERT_NE(helper, nullptr);
  char image[MAX_PATH] = "";
  DWORD length = sizeof image;
  EXPECT_TRUE(QueryFullProcessImageNameA(helper, 0, image, &length));
  const std::string helperFile = image;
  const std::string folderName = helperFile.substr(SystemTemp().size(), helperFile.find_last_of('\\') - SystemTemp().size());
  EXPECT_EQ(_strnicmp(helperFile.c_str(), SystemTemp().c_str(), SystemTemp().size()), 0) << helperFile;
  EXPECT_EQ(folderName.size(), 42u) << helperFile;
  EXPECT_EQ(folderName.rfind("QmSweeper-", 0), 0u) << helperFile;
  EXPECT_FALSE(FileExists(userTemp + "Sweeper.exe"));
  // Setup carries the helper byte for byte.
  EXPECT_EQ(ReadFileBytes(helperFile), ReadFileBytes(BuiltSweeper()));
  EXPECT_FALSE(DirectoryExists(earlier));
  EXPECT_TRUE(FileExists(notOurs + "Sweeper.exe"));
  RemoveTree(notOurs);

  AnswerMessageBox(box, IDOK);
  EXPECT_EQ(WaitForSingleObject(helper, 10000), WAIT_OBJECT_0) << "the helper did not end";
  CloseHandle(helper);
}

// With no folder to write the helper into (the Windows temporary directory is a file for this
// test), the error is shown, nothing is started, and Setup stays with only itself and its
// directory left.
TEST_F(UninstallTest, HelperThatCannotBeWrittenIsReportedAndSetupStays) {
  LayOutInstallation({"QUILLMK.EXE", "QUILLMK.HLP"});
  const std::string systemTemp = SystemTemp().substr(0, SystemTemp().size() - 1);
  const std::string moved = systemTemp + ".qmtest";
  ASSERT_TRUE(MoveFileA(systemTemp.c_str(), moved.c_str()));
  WriteTextFile(systemTemp, "not a folder");
  struct PutBack {
    std::string systemTemp, moved;
    ~PutBack() {
      DeleteFileA(systemTemp.c_str());
      MoveFileA(moved.c_str(), systemTemp.c_str());
    }
  } putBack{systemTemp, moved};
  Start(Dir + "Setup.exe");
  WindowDriver window = WaitForMainWindow();
  Remove(window, IDYES);

  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = TopLevelBox("Quillmark Setup")) != nullptr; }, 30000));
  DWORD owner = 0;
  GetWindowThreadProcessId(box, &owner);
  EXPECT_EQ(owner, Process().Id());
  const MessageBoxContent error = ReadMessageBox(box);
  EXPECT_EQ(error.Text.rfind("Cannot create directory \"" + SystemTemp() + "QmSweeper-", 0), 0u) << error.Text;
  EXPECT_EQ(error.Icon, ShownIcon::Error);
  EXPECT_EQ(error.Buttons, 1);
  EXPECT_EQ(EndChildProcesses(Process().Id()), 0) << "the helper was started";
  AnswerMessageBox(box, IDOK);
  window.Sync();
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(window.CurrentTab(), "Uninstall");
  EXPECT_EQ(window.Text(LabelBusy2), "Uninstall complete");

  const std::vector<std::string> left = FilesBelow(Dir);
  EXPECT_EQ(left, std::vector<std::string>{"Setup.exe"});
  ExpectRegistrationGone();
  ExpectShortcutsGone();
}

TEST_F(UninstallTest, NoChangesNothing) {
  LayOutInstallation({"QUILLMK.EXE"});
  WindowDriver window = StartElsewhere();
  Remove(window, IDNO);
  window.Sync();
  EXPECT_EQ(window.Text(LabelBusy2), "");
  EXPECT_TRUE(Process().Running());
  EXPECT_TRUE(FileExists(Dir + "QUILLMK.EXE"));
  EXPECT_TRUE(FileExists(Dir + "Setup.exe"));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey));
  EXPECT_TRUE(FileExists(Desktop + "Quillmark.lnk"));
}

// The record vanished after start-up: the exact error box, nothing changed, Remove still works.
TEST_F(UninstallTest, WithoutTheRecordReportsAndStaysUsable) {
  LayOutInstallation({"QUILLMK.EXE"});
  WindowDriver window = StartElsewhere();
  DeleteRegValue(HKEY_LOCAL_MACHINE, RecordKey, "InstallFilesSize");
  Remove(window, IDYES);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = TopLevelBox("Quillmark Setup")) != nullptr; }, 15000));
  const MessageBoxContent error = ReadMessageBox(box);
  EXPECT_EQ(error.Text, "Cannot uninstall!\rUninstall data has been removed from the registry.");
  EXPECT_EQ(error.Icon, ShownIcon::Error);
  EXPECT_EQ(error.Buttons, 1);
  AnswerMessageBox(box, IDOK);
  window.Sync();
  EXPECT_EQ(window.Text(LabelBusy2), "Reading uninstall information");
  EXPECT_TRUE(FileExists(Dir + "QUILLMK.EXE"));
  EXPECT_TRUE(FileExists(Dir + "Setup.exe"));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp"));

  DeleteRegTree(HKEY_LOCAL_MACHINE, RecordKey);
  Remove(window, IDNO);  // the page is still usable
  EXPECT_TRUE(Process().Running());
}

TEST_F(UninstallTest, UnlistedFilesAndTheirDirectoryStay) {
  LayOutInstallation({"QUILLMK.EXE", "README.TXT"});
  WriteTextFile(Dir + "MyProject.qmp", "the user's work");
  WindowDriver window = StartElsewhere();
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();
  EXPECT_FALSE(FileExists(Dir + "QUILLMK.EXE"));
  EXPECT_FALSE(FileExists(Dir + "README.TXT"));
  EXPECT_FALSE(FileExists(Dir + "Setup.exe"));
  EXPECT_TRUE(FileExists(Dir + "MyProject.qmp"));
}

TEST_F(UninstallTest, HelpFileTakesItsIndexOnlyInTheApplicationDirectory) {
  LayOutInstallation({"QUILLMK.EXE", "QUILLMK.HLP"});
  WriteTextFile(Dir + "QUILLMK.GID", "index");
  RecordIdeOption("Delphi30", {"HC.HLP"}, true);
  WriteTextFile(Dir + "Delphi30\\HC.GID", "index");
  WindowDriver window = StartElsewhere();
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();
  EXPECT_FALSE(FileExists(Dir + "QUILLMK.HLP"));
  EXPECT_FALSE(FileExists(Dir + "QUILLMK.GID"));
  EXPECT_FALSE(FileExists(Dir + "Delphi30\\HC.HLP"));
  EXPECT_TRUE(FileExists(Dir + "Delphi30\\HC.GID"));
}

// Without its size an option keeps its files; without its directory too, even though its field
// then proposes the very folder that holds them.
TEST_F(UninstallTest, IdeOptionWithoutItsSizeOrDirectoryKeepsItsFiles) {
  LayOutInstallation({"QUILLMK.EXE"});
  RecordIdeOption("Delphi30", {"HC30.DCU"}, true);
  RecordIdeOption("Delphi40", {"HC40.DCU"}, false);
  RecordIdeOption("BCB10", {"HC10.DCU"}, true);
  DeleteRegValue(HKEY_LOCAL_MACHINE, RecordKey, "BCB10Dir");
  WindowDriver window = StartElsewhere();
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();
  EXPECT_FALSE(DirectoryExists(Dir + "Delphi30"));
  EXPECT_TRUE(FileExists(Dir + "Delphi40\\HC40.DCU"));
  EXPECT_TRUE(FileExists(Dir + "BCB10\\HC10.DCU"));
}

// The record's sizes rule over its lists: whole slots only.
TEST_F(UninstallTest, ListSizesDecideTheEntries) {
  for (const auto& [size, deleted] : std::vector<std::pair<int64_t, int>>{{0, 0}, {15, 0}, {40, 2}}) {
    SCOPED_TRACE(size);
    const std::vector<std::string> names = {"A.DLL", "B.DLL", "C.DLL"};
    LayOutInstallation(names, size);
    WindowDriver window = StartElsewhere();
    Remove(window, IDYES);
    ExpectClosingMessageFromSetup();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(FileExists(Dir + names[i]), i >= deleted) << names[i];
  }
}

// A forged record must not reach outside the installation directory.
TEST_F(UninstallTest, NamesWithPathsDeleteNothingOutside) {
  const std::string outside = ProgramFiles + "VICTIM.TXT";
  WriteTextFile(outside, "not Quillmark's");
  LayOutInstallation({"QUILLMK.EXE"});
  std::vector<uint8_t> list = ListBytes({"QUILLMK.EXE", "..\\VICTIM.TXT", outside.substr(0, 15)});
  WriteRegDword(HKEY_LOCAL_MACHINE, RecordKey, "InstallFilesSize", static_cast<uint32_t>(list.size()));
  WriteRegBinary(HKEY_LOCAL_MACHINE, RecordKey, "InstallFiles", list);
  WindowDriver window = StartElsewhere();
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();
  EXPECT_TRUE(FileExists(outside));
  EXPECT_FALSE(DirectoryExists(Dir));
}

// Only the first matching entry goes; the second stays and moves down.
TEST_F(UninstallTest, SecondMatchingToolsEntryStays) {
  LayOutInstallation({"QUILLMK.EXE"});
  const std::string list = "Software\\Borland\\Delphi\\3.0\\Transfer";
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"Other", "C:\\other.exe"}, {"&Quillmark", Dir + "QUILLMK.EXE"}, {"Again", "D:\\old\\Quillmk.exe"}};
  for (size_t i = 0; i < entries.size(); ++i) {
    WriteRegString(HKEY_CURRENT_USER, list, "Title" + std::to_string(i), entries[i].first);
    WriteRegString(HKEY_CURRENT_USER, list, "WorkingDir" + std::to_string(i), "");
    WriteRegString(HKEY_CURRENT_USER, list, "Path" + std::to_string(i), entries[i].second);
    WriteRegString(HKEY_CURRENT_USER, list, "Params" + std::to_string(i), "");
  }
  WriteRegString(HKEY_CURRENT_USER, list, "Count", "3");
  WindowDriver window = StartElsewhere();
  Remove(window, IDYES);
  ExpectClosingMessageFromSetup();
  std::string text;
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, list, "Count", text));
  EXPECT_EQ(text, "2");
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, list, "Path1", text));
  EXPECT_EQ(text, "D:\\old\\Quillmk.exe");
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, list, "Path2", text));
}

// Links the user may lay in Setup's way (Unix symbolic links, which Windows programs see as
// junctions and symbolic links). Each situation: an uninstall from the installation directory,
// so that the helper runs too. The folder a link leads to stays as it was, and the uninstall
// completes.
enum class Link { TempFolder, DesktopOnTheWay, ShortcutToAFile };

class LinkedFoldersTest : public UninstallTest, public testing::WithParamInterface<Link> {
protected:
  void TearDown() override {
    for (const std::string& link : links_) RemoveUnixLink(link);
    for (const auto& [name, value] : savedEnvironment_) SetEnvironmentVariableA(name.c_str(), value.c_str());
    UninstallTest::TearDown();
  }
  void LinkTo(const std::string& link, const std::string& target) {
    MakeUnixLink(link, target);
    links_.push_back(link);
  }
  void SetEnvironment(const std::string& name, const std::string& value) {
    char saved[MAX_PATH] = "";
    GetEnvironmentVariableA(name.c_str(), saved, sizeof saved);
    savedEnvironment_.emplace_back(name, saved);
    SetEnvironmentVariableA(name.c_str(), value.c_str());
  }

private:
  std::vector<std::string> links_;
  std::vector<std::pair<std::string, std::string>> savedEnvironment_;
};

TEST_P(LinkedFoldersTest, NothingOutsideTheIntendedFolderIsWrittenOrDeleted) {
  LayOutInstallation({"QUILLMK.EXE"});
  const std::string victim = Root + "Victim\\";
  CreateDirectories(victim + "Desktop\\");
  WriteTextFile(victim + "File.txt", "not Quillmark's");
  WriteTextFile(victim + "Desktop\\Quillmark.lnk", "not Quillmark's either");
  switch (GetParam()) {
    case Link::TempFolder:
      LinkTo(Root + "TempLink", victim);
      SetEnvironment("TMP", Root + "TempLink");
      SetEnvironment("TEMP", Root + "TempLink");
      break;
    case Link::DesktopOnTheWay:
      LinkTo(Root + "DeskLink", victim);
      SetShellFolder("Desktop", Root + "DeskLink\\Desktop");
      break;
    case Link::ShortcutToAFile:
      DeleteFileA((Desktop + "Quillmark.lnk").c_str());
      LinkTo(Desktop + "Quillmark.lnk", victim + "File.txt");
      break;
  }
  const std::string before = FolderContents(victim);
  Start(Dir + "Setup.exe");
  WindowDriver window = WaitForMainWindow();
  Remove(window, IDYES);
  ASSERT_TRUE(Process().WaitForExit(30000)) << "Setup did not end";
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = TopLevelBox(DoneCaption)) != nullptr; }, 30000));
  AnswerMessageBox(box, IDOK);

  EXPECT_EQ(FolderContents(victim), before);
  EXPECT_FALSE(DirectoryExists(Dir));
  ExpectRegistrationGone();
  for (const std::string& folder : {StartMenu, Programs}) EXPECT_FALSE(FileExists(folder + "Quillmark.lnk"));
}

INSTANTIATE_TEST_SUITE_P(Situations, LinkedFoldersTest,
                         testing::Values(Link::TempFolder, Link::DesktopOnTheWay, Link::ShortcutToAFile));

}  // namespace
}  // namespace e2e
