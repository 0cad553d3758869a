// Every quit button ends Setup at once, asks nothing and leaves the system as it was.
#include "Driver.h"

namespace e2e {
namespace {

class QuitButtonsTest : public SetupTest {
protected:
  // Clicks button and expects the process to end within a few seconds without showing a box.
  void ExpectQuitsAtOnce(const WindowDriver& window, int button) {
    window.Click(button);
    bool boxShown = false;
    const bool ended = WaitUntil(
        [&] {
          boxShown = boxShown || Process().MessageBoxWindow() != nullptr;
          return !Process().Running();
        },
        5000);
    EXPECT_TRUE(ended) << "Setup did not end";
    EXPECT_FALSE(boxShown) << "Setup asked something before it ended";
  }
  std::string InstallDir() const { return ProgramFiles + "Quillmark\\"; }
};

TEST_F(QuitButtonsTest, QuitButtonsOfTheOfferedPagesEndSetupAndChangeNothing) {
  const struct {
    const char* tab;
    int button;
    const char* recordedVersion;  // nullptr: no installation
    bool packages;
  } cases[] = {
      {"Install", CancelBtn3, nullptr, true},
      {"Update", CancelBtn2, "0.9", true},
      {"Uninstall", CancelBtn4, "1.0", true},
      {"Nothing To Do", CancelBtn5, nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    // Each case from fresh folders and registry.
    TearDown();
    SetUp();
    Dist().AddSetup();
    if (c.packages) Dist().AddSamplePackages();
    if (c.recordedVersion) RecordInstallation(c.recordedVersion, InstallDir());
    Start();
    WindowDriver window = WaitForMainWindow();
    ASSERT_TRUE(window.Handle());
    window.SelectTab(c.tab);
    ExpectQuitsAtOnce(window, c.button);

    std::vector<uint8_t> version;
    if (c.recordedVersion) {
      EXPECT_TRUE(ReadRegBinary(HKEY_LOCAL_MACHINE, InstallationKey, "Version", version));
      EXPECT_EQ(version, LengthPrefixed(c.recordedVersion));
      EXPECT_TRUE(FileExists(InstallDir() + "Quillmk.exe"));
      EXPECT_FALSE(FileExists(InstallDir() + "Quillmk.hlp")) << "nothing is installed";
    } else {
      EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, InstallationKey));
      EXPECT_FALSE(DirectoryExists(InstallDir()));
    }
    EXPECT_FALSE(FileExists(Desktop + "Quillmark.lnk"));
  }
}

TEST_F(QuitButtonsTest, QuitOnTheFinishedPageEndsSetupAndKeepsTheInstallation) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  ASSERT_NO_FATAL_FAILURE(InstallAndWaitForFinished(window));
  EXPECT_EQ(window.Tabs(), std::vector<std::string>{"Finished"});
  EXPECT_GT(window.GaugeMaximum(Gauge), 0);
  EXPECT_EQ(window.GaugePosition(Gauge), window.GaugeMaximum(Gauge)) << "the gauge ends full";

  ExpectQuitsAtOnce(window, QuitBtn);
  EXPECT_TRUE(FileExists(InstallDir() + "Quillmk.exe"));
  EXPECT_TRUE(FileExists(InstallDir() + "Setup.exe"));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, InstallationKey));
}

}  // namespace
}  // namespace e2e
