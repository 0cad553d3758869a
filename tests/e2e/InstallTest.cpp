#include <algorithm>
#include <cstdio>

#include "InstallChecks.h"

namespace e2e {
namespace {

using InstallTest = SetupTest;

const char* const RecordKey = "Software\\Penwright\\Quillmark\\Installation";
const char* const IdeKeys[] = {"Delphi10", "Delphi20", "Delphi30", "Delphi40", "BCB10", "BCB30"};
const int IdeChecks[] = {CheckDelphi10, CheckDelphi20, CheckDelphi30, CheckDelphi40, CheckBCB10, CheckBCB30};
const int IdeEdits[] = {EditDelphi10, EditDelphi20, EditDelphi30, EditDelphi40, EditBCB10, EditBCB30};

// Packages of known content: the application's with a name longer than a list slot.
struct CustomPackages {
  std::vector<PackageInput> App = {TextMember("Quillmk.exe", "not really a program"),
                                   TextMember("Quillmk.hlp", "help"),
                                   TextMember("AVeryLongFileName.txt", "long")};
  std::vector<std::vector<PackageInput>> Ide;
  CustomPackages() {
    for (const char* key : IdeKeys) Ide.push_back({TextMember(std::string(key) + ".dcu", key)});
  }
  void LayOut(Distribution& dist) const {
    dist.AddSetup();
    dist.WriteFile("Quillmk.pak", PackageImage("4.2", App));
    for (size_t i = 0; i < Ide.size(); ++i) dist.WriteFile(std::string(IdeKeys[i]) + ".pak", PackageImage("x", Ide[i]));
  }
};

void ExpectInstalled(const std::vector<PackageInput>& members, const std::string& dir) {
  for (const PackageInput& member : members) {
    const std::string path = dir + member.Name;
    EXPECT_EQ(ReadFileBytes(path), member.Data) << path;
    EXPECT_EQ(DosWriteTime(path), member.FileTime) << path;
  }
}

std::vector<std::string> NamesOf(const std::vector<PackageInput>& members) {
  std::vector<std::string> names;
  for (const PackageInput& member : members) names.push_back(member.Name);
  return names;
}

void TickAllOptions(const WindowDriver& window) {
  for (int check : IdeChecks)
    if (!window.Checked(check)) window.ClickAndWait(check);
}

TEST_F(InstallTest, InstallsEverythingIntoAFreshDirectory) {
  const CustomPackages packages;
  packages.LayOut(Dist());
  // Tools-menu lists: Delphi 3 holds five entries (text Count), Delphi 4 forty (number Count).
  WriteRegString(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Transfer", "Count", "5");
  WriteRegDword(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\4.0\\Transfer", "Count", 40);
  WritePrivateProfileStringA("Transfer", "Count", "2", "DELPHI.INI");
  Start();
  WindowDriver window = WaitForMainWindow();
  TickAllOptions(window);
  window.Click(NowBtn2);
  WaitForFinished(window);

  const std::string d = ProgramFiles + "Quillmark\\";
  ExpectInstalled(packages.App, d);
  for (size_t i = 0; i < 6; ++i) ExpectInstalled(packages.Ide[i], d + IdeKeys[i] + "\\");
  EXPECT_EQ(ReadFileBytes(d + "Setup.exe"), ReadFileBytes(Dist().SetupPath()));

  HWND gauge = window.Control(Gauge);
  const LRESULT max = SendMessageA(gauge, GGM_GETMAX, 0, 0);
  EXPECT_EQ(SendMessageA(gauge, GGM_GETPOS, 0, 0), max);
  EXPECT_GT(max, 0);

  // The record, value by value.
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "Version", REG_BINARY, LengthPrefixed("4.2"));
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "InstallDir", REG_BINARY, LengthPrefixed(d));
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "InstallFilesSize", REG_DWORD, DwordBytes(48));
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "InstallFiles", REG_BINARY, ListBytes(NamesOf(packages.App)));
  for (size_t i = 0; i < 6; ++i) {
    const std::string key = IdeKeys[i];
    ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, key + "Dir", REG_BINARY, LengthPrefixed(d + key));
    ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, key + "FilesSize", REG_DWORD, DwordBytes(16));
    ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, key + "Files", REG_BINARY, ListBytes({key + ".dcu"}));
  }

  // The shell registration.
  const std::string open = "\"" + d + "Quillmk.exe\" \"%1\"";
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp", "", "QuillmarkProject");
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject", "", "Quillmark Project");
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\DefaultIcon", "", d + "Quillmk.exe,0");
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell", "", "Open");
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell\\Open\\Command", "", open);
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell\\Compile\\Command", "", open + " /C");
  EXPECT_FALSE(ReadRawValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell\\Compile", "").Exists);
  ExpectText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quillmk.exe", "",
             d + "Quillmk.exe");
  const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark";
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "DisplayName", "Quillmark");
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "UninstallString", "\"" + d + "Setup.exe\"");
  // What deployment tools read: the version for detection, the size (the gauge's bytes), the date.
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "DisplayVersion", "4.2");
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "Publisher", "Penwright");
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "InstallLocation", d);
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "DisplayIcon", d + "Quillmk.exe,0");
  ExpectValue(HKEY_LOCAL_MACHINE, uninstall, "EstimatedSize", REG_DWORD, DwordBytes(static_cast<uint32_t>(max / 1024)));
  SYSTEMTIME today;
  GetLocalTime(&today);
  char date[16];
  std::snprintf(date, sizeof date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "InstallDate", date);
  ExpectValue(HKEY_LOCAL_MACHINE, uninstall, "NoModify", REG_DWORD, DwordBytes(1));
  ExpectValue(HKEY_LOCAL_MACHINE, uninstall, "NoRepair", REG_DWORD, DwordBytes(1));
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "URLInfoAbout", "http://penwright.com/");
  ExpectText(HKEY_LOCAL_MACHINE, uninstall, "QuietUninstallString", "\"" + d + "Setup.exe\" /UNINSTALL /VERYSILENT");

  // Shortcuts in the folders ticked at start: Desktop and Programs.
  for (const std::string& folder : {Desktop, Programs}) {
    const ShortcutFacts link = ReadShortcut(folder + "Quillmark.lnk");
    ASSERT_TRUE(link.Loaded) << folder;
    EXPECT_EQ(link.Path, d + "Quillmk.exe");
    EXPECT_EQ(link.WorkingDirectory, d);
    EXPECT_EQ(link.Description, "Quillmark");
    EXPECT_EQ(link.IconPath, d + "Quillmk.exe");
    EXPECT_EQ(link.IconIndex, 0);
  }
  EXPECT_FALSE(FileExists(StartMenu + "Quillmark.lnk"));

  // Tools menus: new lists start at 0, Count 5 gets entry 5, Count 40 gets entry 32.
  const std::string shortD = ShortForm(d);
  EXPECT_EQ(IniText("Title2"), "&Quillmark");
  EXPECT_EQ(IniText("WorkingDir2"), shortD);
  EXPECT_EQ(IniText("Path2"), shortD + "Quillmk.exe");
  EXPECT_EQ(IniText("Params2"), "");
  EXPECT_EQ(IniText("Count"), "3");
  struct List {
    const char* key;
    int entry;
    bool textCount;
  };
  for (const List& list : {List{"Delphi\\2.0", 0, true}, List{"Delphi\\3.0", 5, true}, List{"Delphi\\4.0", 32, false},
                           List{"C++Builder\\1.0", 0, true}, List{"C++Builder\\3.0", 0, false}}) {
    const std::string key = std::string("Software\\Borland\\") + list.key + "\\Transfer";
    const std::string n = std::to_string(list.entry);
    ExpectText(HKEY_CURRENT_USER, key, "Title" + n, "&Quillmark");
    ExpectText(HKEY_CURRENT_USER, key, "WorkingDir" + n, d);
    ExpectText(HKEY_CURRENT_USER, key, "Path" + n, d + "Quillmk.exe");
    ExpectText(HKEY_CURRENT_USER, key, "Params" + n, "");
    if (list.textCount)
      ExpectText(HKEY_CURRENT_USER, key, "Count", std::to_string(list.entry + 1));
    else
      ExpectValue(HKEY_CURRENT_USER, key, "Count", REG_DWORD, DwordBytes(list.entry + 1));
  }
}

TEST_F(InstallTest, TextCountThatIsNotANumberStopsTheLaterLists) {
  LayOutSampleDistribution();
  WriteRegString(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Transfer", "Count", "abc");
  Start();
  WindowDriver window = WaitForMainWindow();
  TickAllOptions(window);
  window.Click(NowBtn2);
  WaitForFinished(window);
  EXPECT_EQ(IniText("Count"), "1");
  ExpectText(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\2.0\\Transfer", "Count", "1");
  ExpectText(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Transfer", "Count", "abc");
  EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Transfer", "Title0").Exists);
  for (const char* later : {"Delphi\\4.0", "C++Builder\\1.0", "C++Builder\\3.0"})
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, std::string("Software\\Borland\\") + later + "\\Transfer")) << later;
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey));
}

TEST_F(InstallTest, InstallingTwiceAddsASecondEntryAndReplacesTheShortcuts) {
  LayOutSampleDistribution();
  const std::string d = ProgramFiles + "Quillmark\\";
  for (int run = 0; run < 2; ++run) {
    DeleteRegTree(HKEY_LOCAL_MACHINE, RecordKey);  // so the second run offers Install again
    // Under Wine the first run's folder reads as the user's, which Setup refuses (README, Security).
    RemoveTree(d);
    Start();
    WindowDriver window = WaitForMainWindow();
    if (!window.Checked(CheckDelphi40)) window.ClickAndWait(CheckDelphi40);
    window.Click(NowBtn2);
    WaitForFinished(window);
    Process().Kill();
  }
  const std::string key = "Software\\Borland\\Delphi\\4.0\\Transfer";
  ExpectValue(HKEY_CURRENT_USER, key, "Count", REG_DWORD, DwordBytes(2));
  ExpectText(HKEY_CURRENT_USER, key, "Path0", d + "Quillmk.exe");
  ExpectText(HKEY_CURRENT_USER, key, "Path1", d + "Quillmk.exe");
  EXPECT_EQ(ReadShortcut(Desktop + "Quillmark.lnk").Path, d + "Quillmk.exe");
}

// Delphi 3's package fails at its second member. C++Builder 3's names a device in its table:
// the scan refuses it, but the environment is found on the machine, so its box stays ticked,
// and the extraction checks the table whole before anything of it is written.
TEST_F(InstallTest, DamagedIdePackagesAreReportedAndTheRestGoesOn) {
  const CustomPackages packages;
  packages.LayOut(Dist());
  std::vector<PackageInput> members = {TextMember("First.dcu", std::string(300, 'f')),
                                       TextMember("Second.dcu", "second")};
  std::vector<uint8_t> image = PackageImage("x", members);
  image[image.size() - 1] ^= 0xFF;  // inside the second member's stream, written last
  Dist().WriteFile("Delphi30.pak", image);
  // The writer refuses the name itself: packed as "AUY.dcu", then made "AUX.dcu" in the table.
  std::vector<uint8_t> device = PackageImage("x", {TextMember("First.dcu", "first"), TextMember("AUY.dcu", "aux")});
  const std::string packed = "AUY.dcu";
  *(std::search(device.begin(), device.end(), packed.begin(), packed.end()) + 2) = 'X';
  Dist().WriteFile("BCB30.pak", device);
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Borland\\C++Builder\\3.0", "RootDir", Root + "CBuilder3");
  Start();
  WindowDriver window = WaitForMainWindow();
  EXPECT_TRUE(window.Checked(CheckBCB30));
  EXPECT_FALSE(window.Enabled(CheckBCB30));
  TickAllOptions(window);
  window.Click(NowBtn2);
  std::vector<MessageBoxContent> boxes;
  for (HWND box = nullptr, answered = nullptr; boxes.size() < 2; answered = box) {
    ASSERT_TRUE(WaitUntil([&] { return (box = Process().MessageBoxWindow()) != nullptr && box != answered; }, 30000));
    boxes.push_back(ReadMessageBox(box));
    AnswerMessageBox(box, IDOK);
  }
  EXPECT_EQ(boxes[0].Caption, "Quillmark Setup");
  EXPECT_EQ(boxes[0].Text, "CRC error in PAK file\rDelphi30.pak is corrupt\rPlease obtain the original QmkSetup.exe file.");
  EXPECT_EQ(boxes[0].Icon, ShownIcon::Error);
  EXPECT_EQ(boxes[1].Text, "PAK file BCB30.pak is corrupt: member name \"AUX.dcu\" is not a plain file name.");
  WaitForFinished(window);
  const std::string d = ProgramFiles + "Quillmark\\";
  EXPECT_FALSE(DirectoryExists(Root + "CBuilder3\\Lib"));
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "BCB30FilesSize", REG_DWORD, DwordBytes(0));
  EXPECT_EQ(ReadFileBytes(d + "Delphi30\\First.dcu"), members[0].Data);
  ExpectInstalled(packages.Ide[4], d + "BCB10\\");
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "Delphi30Files", REG_BINARY, ListBytes({"First.dcu", "Second.dcu"}));
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "Delphi30FilesSize", REG_DWORD, DwordBytes(32));
  ExpectText(HKEY_CURRENT_USER, "Software\\Borland\\C++Builder\\3.0\\Transfer", "Path0", d + "Quillmk.exe");
}

TEST_F(InstallTest, RefusesDelphi1And2InTheSameDirectoryEvenWhenUnticked) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_FALSE(window.Checked(CheckDelphi10));
  ASSERT_FALSE(window.Checked(CheckDelphi20));
  window.Type(EditDelphi10, "c:\\delphi\\lib");
  window.Type(EditDelphi20, "C:\\DELPHI\\LIB");
  window.Click(NowBtn2);
  const MessageBoxContent content = ConfirmMessageBox(Process());
  EXPECT_EQ(content.Text,
            "Sorry, but you cannot install the Delphi 1.0 and 2.0 versions of the property editor in the same directory.");
  EXPECT_EQ(content.Icon, ShownIcon::Error);
  window.Sync();
  EXPECT_EQ(window.CurrentTab(), "Delphi/C++Builder");
  EXPECT_EQ(window.Tabs(), (std::vector<std::string>{"Welcome", "Delphi/C++Builder", "Install"}));
  EXPECT_FALSE(DirectoryExists(ProgramFiles + "Quillmark"));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey));
}

// A folder that is not Setup's own is refused before anything changes, by a box that names it
// and says why; the page stays. (Under Wine every folder a test makes reads as the user's.)
TEST_F(InstallTest, RefusesAnInstallationDirectoryAUserMade) {
  LayOutSampleDistribution();
  const std::string mine = ProgramFiles + "Mine";
  CreateDirectories(mine);
  Start();
  WindowDriver window = WaitForMainWindow();
  window.SelectTab("Install");
  window.Type(EditInstallDir, mine + "\\Quillmark");
  window.Click(NowBtn2);
  const MessageBoxContent content = ConfirmMessageBox(Process());
  EXPECT_EQ(content.Text.rfind("Cannot install into " + mine + "\\Quillmark\\: the folder " + mine + " belongs to ", 0), 0u)
      << content.Text;
  EXPECT_NE(content.Text.find(", not to the administrators."), std::string::npos) << content.Text;
  EXPECT_EQ(content.Icon, ShownIcon::Error);
  window.Sync();
  EXPECT_EQ(window.CurrentTab(), "Install");
  EXPECT_EQ(FilesBelow(mine), std::vector<std::string>());
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey));
}

TEST_F(InstallTest, EmptyDirectoryFieldInstallsIntoTheFixedDirectory) {
  const std::string fixed = "C:\\Program Files\\Quillmark\\";
  ASSERT_FALSE(DirectoryExists(fixed)) << "left over from elsewhere";
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  window.Type(EditInstallDir, "");
  window.Click(NowBtn2);
  WaitForFinished(window);
  EXPECT_TRUE(FileExists(fixed + "Quillmk.exe"));
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "InstallDir", REG_BINARY, LengthPrefixed(fixed));
  Process().Kill();
  RemoveTree(fixed);
}

TEST_F(InstallTest, DirectoryWithBlanksInstallsAndRunStartsTheProduct) {
  LayOutSampleDistribution();
  const std::string dir = ProgramFiles + "My Apps\\Quill mark";
  Start();
  WindowDriver window = WaitForMainWindow();
  window.Type(EditInstallDir, dir);
  window.Click(NowBtn2);
  WaitForFinished(window);
  ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "InstallDir", REG_BINARY, LengthPrefixed(dir + "\\"));
  EXPECT_EQ(ReadShortcut(Programs + "Quillmark.lnk").WorkingDirectory, dir + "\\");

  window.Click(HelpBtn);  // the help viewer may open; Setup stays
  Sleep(1500);
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(window.CurrentTab(), "Finished");
  if (HWND help = FindWindowA("MS_WINHELP", nullptr)) PostMessageA(help, WM_CLOSE, 0, 0);

  window.Click(RunBtn);
  EXPECT_TRUE(Process().WaitForExit(10000));
  EXPECT_TRUE(WaitUntil([&] { return FileExists(dir + "\\Quillmk.ran"); }, 15000));
  // Through the desktop's shell, as the user: Setup is not its starter.
  const std::vector<DWORD> starters = StartersOf(dir + "\\Quillmk.exe");
  EXPECT_FALSE(starters.empty()) << "the product does not run";
  for (const DWORD starter : starters) EXPECT_NE(starter, Process().Id()) << "the product runs with Setup's rights";
}

}  // namespace
}  // namespace e2e
