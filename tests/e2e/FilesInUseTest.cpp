#include <algorithm>
#include <memory>

#include "InstallChecks.h"
#include "archive/AsciiCase.h"

namespace e2e {
namespace {

const char* const RecordKey = "Software\\Penwright\\Quillmark\\Installation";

enum class Command { Update, Uninstall };
enum class Answer { RetryAfterItEnds, Cancel, Unattended, UnattendedClosing };

struct Row {
  const char* name;
  Command command;
  Answer answer;
};

// An update or an uninstall while the installed product runs (its program and the templates
// it holds open): nothing changes until the files are free.
class FilesInUseTest : public SetupTest, public testing::WithParamInterface<Row> {
protected:
  // Installed silently into Dir, then (for an update) a newer package beside Setup, then the
  // product started from the installation.
  void SetUp() override {
    SetupTest::SetUp();
    Dir = ProgramFiles + "Installed\\";  // a new folder there: Setup refuses folders a user made
    Log = Root + "setup log.txt";
    LayOutSampleDistribution();
    Start(std::string(), "/VERYSILENT \"/DIR=" + Dir + "\"");
    ASSERT_TRUE(Process().WaitForExit(60000));
    ASSERT_EQ(Process().ExitCode(), 0u);
    if (GetParam().command == Command::Update) {
      // The product stays a program, so that it can be started again after the update.
      std::vector<PackageInput> newer;
      for (const std::string& name : ReadPackageFacts(Dist().PathOf("Quillmk.pak")).MemberNames)
        newer.push_back(TextMember(name, name == "Quillmk.exe" ? ReadTextFile(BuildDistDir() + name) : "newer " + name));
      Dist().WriteFile("Quillmk.pak", PackageImage("99.0", newer));
    }
    Product = std::make_unique<SetupProcess>(Dir + "Quillmk.exe");
    ASSERT_TRUE(WaitUntil([&] { return !Product->Windows(true).empty(); }, 30000)) << "the product did not start";
    Before = FolderContents(Dir);
  }
  void TearDown() override {
    Product.reset();
    EndProcessesBelow(Dir);  // the product Setup started again
    SetupTest::TearDown();
  }

  void ExpectNothingChanged() {
    EXPECT_EQ(FolderContents(Dir), Before);
    EXPECT_EQ(ReadTextFile(Dir + "Templates.ini").rfind("newer", 0), std::string::npos);
    ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "Version",
                REG_BINARY, LengthPrefixed(ReadPackageFacts(BuildDistDir() + "Quillmk.pak").VersionText));
  }

  std::string Dir, Log, Before;
  std::unique_ptr<SetupProcess> Product;
};

TEST_P(FilesInUseTest, ChangesNothingUntilTheFilesAreFree) {
  const Row& row = GetParam();
  const bool update = row.command == Command::Update;
  if (row.answer == Answer::UnattendedClosing) {
    // Asked to close as at shutdown, the product ends; the update goes on and starts it again.
    Start(std::string(), "/VERYSILENT /CLOSEAPPLICATIONS \"/LOG=" + Log + "\"");
    ASSERT_TRUE(Process().WaitForExit(60000));
    EXPECT_EQ(Process().ExitCode(), 0u) << ReadTextFile(Log);
    EXPECT_TRUE(Product->WaitForExit(1000)) << "the product still runs";
    EXPECT_EQ(ReadTextFile(Dir + "Templates.ini"), "newer Templates.ini");
    ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "Version", REG_BINARY, LengthPrefixed("99.0"));
    const std::string log = AsciiLower(ReadTextFile(Log));
    EXPECT_NE(log.find(AsciiLower("Program closed on request: " + Dir + "Quillmk.exe")), std::string::npos) << log;
    EXPECT_NE(log.find(AsciiLower("Starting again as the user: " + Dir + "Quillmk.exe")), std::string::npos) << log;
    // Each start of the product adds a line to its marker: the test's, then Setup's.
    const auto starts = [&] {
      const std::string marker = ReadTextFile(Dir + "Quillmk.ran");
      return std::count(marker.begin(), marker.end(), '\n');
    };
    EXPECT_TRUE(WaitUntil([&] { return starts() == 2; }, 30000)) << "the product was not started again";
    return;
  }
  if (row.answer == Answer::Unattended) {
    Start(std::string(), std::string(update ? "" : "/UNINSTALL ") + "/VERYSILENT \"/LOG=" + Log + "\"");
    ASSERT_TRUE(Process().WaitForExit(60000));
    EXPECT_EQ(Process().ExitCode(), 5u);
    const std::string log = AsciiLower(ReadTextFile(Log));
    EXPECT_NE(log.find(AsciiLower("File in use: " + Dir + "Quillmk.exe")), std::string::npos) << log;
    EXPECT_NE(log.find(AsciiLower("File in use: " + Dir + "Templates.ini")), std::string::npos) << log;
    EXPECT_NE(log.find("files in use: nothing changed"), std::string::npos) << log;
    EXPECT_NE(log.find("finished, exit code 5 (files in use)"), std::string::npos) << log;
    ExpectNothingChanged();
    return;
  }

  Start();
  WindowDriver window = WaitForMainWindow();
  if (update) {
    ASSERT_EQ(window.CurrentTab(), "Update");
    window.Click(UpdateBtn);
  } else {
    window.SelectTab("Uninstall");
    window.Click(UninstallBtn);
    const HWND question = Process().WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    AnswerMessageBox(question, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 10000));
  }
  const HWND box = Process().WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no box names the files in use";
  const MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.Caption, "Quillmark Setup");
  EXPECT_EQ(content.Buttons, 2);
  const std::string text = AsciiLower(content.Text);
  EXPECT_NE(text.find(AsciiLower(Dir + "Quillmk.exe")), std::string::npos) << content.Text;
  EXPECT_NE(text.find(AsciiLower(Dir + "Templates.ini")), std::string::npos) << content.Text;
  ExpectNothingChanged();

  if (row.answer == Answer::Cancel) {
    AnswerMessageBox(box, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return Process().MessageBoxWindow() == nullptr; }, 10000));
    EXPECT_EQ(window.CurrentTab(), update ? "Update" : "Uninstall");
    EXPECT_TRUE(Process().Running());
    ExpectNothingChanged();
    return;
  }

  Product->Kill();
  ASSERT_TRUE(Product->WaitForExit(10000));
  AnswerMessageBox(box, IDRETRY);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10000));
  if (update) {
    WaitForFinished(window);
    EXPECT_EQ(ReadTextFile(Dir + "Templates.ini"), "newer Templates.ini");
    ExpectValue(HKEY_LOCAL_MACHINE, RecordKey, "Version", REG_BINARY, LengthPrefixed("99.0"));
  } else {
    EXPECT_EQ(ConfirmMessageBox(Process()).Caption, "Uninstall complete");
    ASSERT_TRUE(Process().WaitForExit(15000));
    // The product's own start marker, which no list names, is all that stays.
    for (const std::string& name : ReadPackageFacts(Dist().PathOf("Quillmk.pak")).MemberNames)
      EXPECT_FALSE(FileExists(Dir + name)) << name;
    EXPECT_FALSE(FileExists(Dir + "Setup.exe"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FilesInUseTest,
    testing::Values(Row{"UpdateRetryAfterTheProductEnds", Command::Update, Answer::RetryAfterItEnds},
                    Row{"UpdateCancel", Command::Update, Answer::Cancel},
                    Row{"UpdateUnattended", Command::Update, Answer::Unattended},
                    Row{"UpdateUnattendedClosingTheProduct", Command::Update, Answer::UnattendedClosing},
                    Row{"UninstallRetryAfterTheProductEnds", Command::Uninstall, Answer::RetryAfterItEnds},
                    Row{"UninstallCancel", Command::Uninstall, Answer::Cancel},
                    Row{"UninstallUnattended", Command::Uninstall, Answer::Unattended}),
    [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
