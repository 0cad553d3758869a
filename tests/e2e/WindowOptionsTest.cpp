// The installation options of the main window: the directory field, tree and drive selector
// in step, the disk-space figures and their colour, and the IDE options.
#include "Driver.h"

namespace e2e {
namespace {

class WindowOptionsTest : public SetupTest {
protected:
  // Setup on the sample distribution, showing the Install page.
  WindowDriver StartOnInstallPage() {
    LayOutSampleDistribution();
    Start();
    WindowDriver window = WaitForMainWindow();
    if (window.Handle()) window.SelectTab("Install");
    return window;
  }
};

// Other programs write to the same disks while a test looks: free space read a few seconds
// apart may differ by this much.
constexpr int64_t DiskChurnKiloBytes = 64 * 1024;

std::string KiloBytes(int64_t bytes) { return std::to_string(bytes / 1024) + " kB"; }

std::string WithoutBackslash(const std::string& dir) { return dir.substr(0, dir.find_last_not_of('\\') + 1); }

// The free space a label shows, in kB; -1 when it is no "%d kB" figure.
int64_t ShownKiloBytes(const std::string& text) {
  const size_t end = text.find(" kB");
  return end == std::string::npos || end == 0 ? -1 : std::stoll(text.substr(0, end));
}

TEST_F(WindowOptionsTest, TypingMovesTheTreeToTheNearestExistingDirectory) {
  CreateDirectories(ProgramFiles + "Existing");
  CreateDirectories(ProgramFiles + "王伟的程序");
  WindowDriver window = StartOnInstallPage();
  ASSERT_TRUE(window.Handle());
  const struct {
    std::string typed;
    std::string tree;  // empty: where it was before
  } cases[] = {
      {ProgramFiles + "Quillmark\\Sub", WithoutBackslash(ProgramFiles)},
      {ProgramFiles + "Existing", ProgramFiles + "Existing"},
      {ProgramFiles + "王伟的程序\\Квиллмарк", ProgramFiles + "王伟的程序"},
      {Root + "dist\\", Root + "dist"},
      {"nowhere", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("typed " + c.typed);
    const std::string before = window.Text(ListInstallDir);
    window.Type(EditInstallDir, c.typed);
    EXPECT_EQ(window.Text(EditInstallDir), c.typed) << "the field keeps what was typed";
    EXPECT_EQ(window.Text(ListInstallDir), c.tree.empty() ? before : c.tree);
  }
}

TEST_F(WindowOptionsTest, TypingAPathOnAnotherDriveMovesTreeSelectorAndFreeSpace) {
  const std::string other = SecondDriveFolder();
  ASSERT_FALSE(other.empty());
  const std::string folder = other + "Target";
  CreateDirectories(folder);
  WindowDriver window = StartOnInstallPage();
  ASSERT_TRUE(window.Handle());
  const int64_t onC = ShownKiloBytes(window.Text(LabelSpaceFree));
  EXPECT_EQ(window.Text(ComboInstallDrive), "C:");

  window.Type(EditInstallDir, folder + "\\Quillmark");
  EXPECT_EQ(window.Text(ListInstallDir), folder);
  EXPECT_EQ(window.Text(ComboInstallDrive), "Q:");
  const int64_t shown = ShownKiloBytes(window.Text(LabelSpaceFree));
  EXPECT_NEAR(shown, DiskFreeBytes(other) / 1024, DiskChurnKiloBytes);
  EXPECT_GT(std::llabs(shown - onC), DiskChurnKiloBytes) << "drive Q: should not show drive C:'s free space";
}

TEST_F(WindowOptionsTest, ChoosingAFolderInTheTreeSetsTheField) {
  CreateDirectories(ProgramFiles + "Alpha");
  CreateDirectories(ProgramFiles + "Beta");
  WindowDriver window = StartOnInstallPage();
  ASSERT_TRUE(window.Handle());
  // The proposed directory does not exist yet: the tree shows its parent, whose lines are
  // C:\, qmtest, <test>, Program Files, then Alpha and Beta.
  ASSERT_EQ(window.Text(ListInstallDir), WithoutBackslash(ProgramFiles));
  window.ChooseTreeLine(ListInstallDir, 5);
  EXPECT_EQ(window.Text(EditInstallDir), ProgramFiles + "Beta");
  window.ChooseTreeLine(ListInstallDir, 1);
  EXPECT_EQ(window.Text(EditInstallDir), "C:\\qmtest");
}

TEST_F(WindowOptionsTest, FreeSpaceOfTheDriveShowsOnTheNormalBackground) {
  WindowDriver window = StartOnInstallPage();
  ASSERT_TRUE(window.Handle());
  EXPECT_NEAR(ShownKiloBytes(window.Text(LabelSpaceFree)), DiskFreeBytes("C:\\") / 1024, DiskChurnKiloBytes);
  WaitForPaint(window.Handle());
  EXPECT_EQ(BackgroundColour(window.Control(LabelSpaceFree)), GetSysColor(COLOR_BTNFACE));
}

// Drive R: is listed but not ready: its free space cannot be read.
TEST_F(WindowOptionsTest, DriveWhoseFreeSpaceCannotBeReadShowsZeroOnRed) {
  WindowDriver window = StartOnInstallPage();
  ASSERT_TRUE(window.Handle());
  const std::string tree = window.Text(ListInstallDir);
  window.ChooseDrive(ComboInstallDrive, 'R');
  ASSERT_EQ(window.Text(ComboInstallDrive), "R:") << "drive R: is not mapped: run the tests through scripts/wine-run";
  EXPECT_EQ(window.Text(LabelSpaceFree), "0 kB");
  EXPECT_EQ(window.Text(ListInstallDir), tree) << "the tree cannot show a drive that is not ready";
  WaitForPaint(window.Handle());
  EXPECT_EQ(BackgroundColour(window.Control(LabelSpaceFree)), RGB(255, 0, 0));

  window.ChooseDrive(ComboInstallDrive, 'C');
  EXPECT_EQ(window.Text(ComboInstallDrive), "C:");
  WaitForPaint(window.Handle());
  EXPECT_EQ(BackgroundColour(window.Control(LabelSpaceFree)), GetSysColor(COLOR_BTNFACE));
}

// Whether a control lies wholly within the visible part of the scroll area.
bool ShownInScrollArea(const WindowDriver& window, int id) {
  RECT area, control;
  GetClientRect(window.Control(DelphiScrollBox), &area);
  MapWindowPoints(window.Control(DelphiScrollBox), nullptr, reinterpret_cast<POINT*>(&area), 2);
  GetWindowRect(window.Control(id), &control);
  return control.top >= area.top && control.bottom <= area.bottom;
}

// The options area shows only part of its options: Tab to one below it, and Shift+Tab back to
// the first, scrolls each focused control into view.
TEST_F(WindowOptionsTest, TabScrollsTheFocusedOptionIntoView) {
  // Keyboard order, newest first; of the fields only Delphi 1's is enabled, the last control.
  const int order[] = {CheckDelphi40, CheckBCB30, CheckDelphi30, CheckBCB10, CheckDelphi20, CheckDelphi10, EditDelphi10};
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  window.SelectTab("Delphi/C++Builder");
  if (!window.Checked(CheckDelphi10)) window.ClickAndWait(CheckDelphi10);
  ASSERT_FALSE(ShownInScrollArea(window, EditDelphi10));
  for (int press = 0; press < 10 && window.FocusedId() != order[0]; ++press) window.PressTab();
  ASSERT_EQ(window.FocusedId(), order[0]) << "Tab does not reach the options";

  for (int i = 1; i < 7; ++i) {
    window.PressTab();
    EXPECT_EQ(window.FocusedId(), order[i]);
    EXPECT_TRUE(ShownInScrollArea(window, order[i])) << "control " << order[i];
  }
  for (int i = 5; i >= 0; --i) {
    window.PressTab(true);
    EXPECT_EQ(window.FocusedId(), order[i]);
    EXPECT_TRUE(ShownInScrollArea(window, order[i])) << "control " << order[i];
  }
}

TEST_F(WindowOptionsTest, TickingAnOptionEnablesItsFieldAndAddsExactlyItsPackageSize) {
  const struct {
    int check, edit;
    const char* package;
  } options[] = {
      {CheckDelphi10, EditDelphi10, "Delphi10.pak"}, {CheckDelphi20, EditDelphi20, "Delphi20.pak"},
      {CheckDelphi30, EditDelphi30, "Delphi30.pak"}, {CheckDelphi40, EditDelphi40, "Delphi40.pak"},
      {CheckBCB10, EditBCB10, "BCB10.pak"},          {CheckBCB30, EditBCB30, "BCB30.pak"},
  };
  LayOutSampleDistribution();
  const int64_t base = ReadPackageFacts(Dist().PathOf("Quillmk.pak")).TotalSize + FileSize(Dist().SetupPath());
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  window.SelectTab("Delphi/C++Builder");
  ASSERT_EQ(window.Text(LabelSpaceNeeded), KiloBytes(base));
  int64_t ticked = 0;
  for (const auto& option : options) {
    SCOPED_TRACE(option.package);
    const PackageFacts facts = ReadPackageFacts(Dist().PathOf(option.package));
    ASSERT_TRUE(facts.Valid);
    EXPECT_FALSE(window.Checked(option.check));
    EXPECT_FALSE(window.Enabled(option.edit));

    window.ClickAndWait(option.check);
    EXPECT_TRUE(window.Checked(option.check));
    EXPECT_TRUE(window.Enabled(option.edit));
    EXPECT_EQ(window.Text(LabelSpaceNeeded), KiloBytes(base + ticked + facts.TotalSize));

    window.ClickAndWait(option.check);
    EXPECT_FALSE(window.Enabled(option.edit));
    EXPECT_EQ(window.Text(LabelSpaceNeeded), KiloBytes(base + ticked));

    // Leave it ticked, so the next option adds to a sum of several.
    window.ClickAndWait(option.check);
    ticked += facts.TotalSize;
  }
}

}  // namespace
}  // namespace e2e
