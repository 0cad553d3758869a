// The main window as start-up leaves it: tabs, the fixed texts of every page, the shortcut
// boxes, and the splash window before it.
#include <algorithm>

#include "Driver.h"

namespace e2e {
namespace {

using WindowTest = SetupTest;

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

TEST_F(WindowTest, FullDistributionOffersWelcomeDelphiAndInstall) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  EXPECT_EQ(window.Tabs(), (std::vector<std::string>{"Welcome", "Delphi/C++Builder", "Install"}));
  EXPECT_EQ(window.CurrentTab(), "Welcome");
  EXPECT_EQ(WindowText(window.Handle()), "Quillmark Setup");
}

TEST_F(WindowTest, EmptyFolderOffersOnlyNothingToDo) {
  Dist().AddSetup();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  EXPECT_EQ(window.Tabs(), std::vector<std::string>{"Nothing To Do"});
  EXPECT_EQ(window.CurrentTab(), "Nothing To Do");
}

// Every text a page shows, whether or not its tab is offered; the controls whose text
// start-up or the commands fill are left out.
TEST_F(WindowTest, EveryPageShowsItsFixedTexts) {
  const std::string homePage = MakerHomePage;
  const struct {
    int page;
    std::vector<int> variable;
    std::vector<std::string> texts;
  } pages[] = {
      {WelcomeSheet,
       {},
       {"If you ever get a newer version of Quillmark, simply run the setup program that comes with it to update "
        "your installed version.",
        "If you would ever need to uninstall Quillmark, simply run this setup program again or uninstall it using "
        "the Control Panel.",
        "For the latest information on Quillmark, visit the author's home page at", homePage,
        "Click on the tabs to view and set the installation options"}},
      {DelphiSheet,
       {EditDelphi10, EditDelphi20, EditDelphi30, EditDelphi40, EditBCB10, EditBCB30},
       {"Quillmark includes a property editor for Borland Delphi 1, 2, 3 and C++Builder",
        "If you do not use Delphi or C++Builder, there is no need to install them.",
        "If you do use Delphi or C++Builder, I highly recommend to install them as it makes creating help files for "
        "your Delphi applications *a lot* easier.",
        "Install HelpContext editor for Delphi 4", "Into:", "Install HelpContext editor for C++Builder 3", "Into:",
        "Install HelpContext editor for Delphi 3", "Into:", "Install HelpContext editor for C++Builder 1", "Into:",
        "Install HelpContext editor for Delphi 2", "Into:", "Install HelpContext editor for Delphi 1", "Into:"}},
      {InstallSheet,
       {EditInstallDir, ListInstallDir, ComboInstallDrive, LabelVersion, LabelSpaceNeeded, LabelSpaceFree},
       {"Quillmark installation options", "Installation directory:", "Put link to Quillmark on the Desktop",
        "Include Quillmark in the Start Menu", "Include Quillmark in the Programs Menu", "Quillmark version:",
        "Disk space required:", "Disk space available:", "Install Quillmark now!!!",
        "No, I don't need great help files"}},
      {UpdateSheet,
       {LabelOldVersion, LabelInstallVersion},
       {"There was another version of Quillmark found installed on your computer.",
        "If you wish, you can update to the new version by clicking on the Update button below.",
        "Version currently installed:", "Version to be installed:", "Update Quillmark",
        "I like the current version perfectly"}},
      {UninstallSheet,
       {LabelBusy2},
       {"If you press the Remove button below, you will remove Quillmark from your hard disk, and you will have to "
        "reinstall it by running the Setup.exe program from the original Quillmk.zip file again, if you ever want "
        "to use Quillmark again.",
        "Note that there is no need to uninstall Quillmark if you want to update to a newer version. Simply run the "
        "new setup program, click the Update tab and press the button.",
        "Remove Quillmark", "No!!! That would be a disaster!"}},
      {BusySheet,
       {Gauge},
       {"Installing Quillmark...", "I'm probably doing something right now...",
        "You can uninstall Quillmark any time by running this setup program again or by using the Add/Remove "
        "Programs applet in the Control Panel"}},
      {FinishedSheet,
       {},
       {"Quillmark setup has been completed !!!", "Run Quillmark", "Read Online Help", "Quit Setup"}},
      {NothingSheet,
       {},
       {"Quillmk.pak cannot be found so you cannot install Quillmark.",
        "You can download a working version of Quillmark from the author's home page at", homePage,
        "No Quillmark uninstall information has been found in the registry, so you cannot use Setup to uninstall "
        "Quillmark.",
        "&Quit"}},
  };
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  for (const auto& page : pages) {
    SCOPED_TRACE("page " + std::to_string(page.page));
    EXPECT_EQ(Sorted(window.TextsBelow(page.page, page.variable)), Sorted(page.texts));
  }
  EXPECT_EQ(window.Text(URLLabel1), homePage);
}

TEST_F(WindowTest, ShortcutBoxesStartWithDesktopAndProgramsTicked) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  EXPECT_TRUE(window.Checked(CheckDesktop));
  EXPECT_FALSE(window.Checked(CheckStartMenu));
  EXPECT_TRUE(window.Checked(CheckPrograms));
}

// The splash shows while the analysis runs and is gone when the main window shows.
TEST_F(WindowTest, SplashComesBeforeTheMainWindowAndIsGoneWhenItShows) {
  LayOutSampleDistribution();
  SetupProcess& setup = Start();
  bool splashSeen = false, splashAfterMain = false;
  std::string splashText;
  HWND main = nullptr;
  WaitUntil(
      [&] {
        if (HWND splash = setup.Splash()) {
          splashSeen = true;
          if (splashText.empty()) splashText = StoredWindowText(FindDescendant(splash, SplashLabel));
          if (main) splashAfterMain = true;
        }
        if (!main) main = setup.MainWindow();
        return (main && !setup.Splash()) || !setup.Running();
      },
      30000);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(splashAfterMain) << "the splash was still up when the main window showed";
  EXPECT_EQ(setup.Splash(), nullptr);
  if (splashSeen) {
    EXPECT_EQ(splashText, "Loading Quillmark Setup...");
  }
}

// Held up by an error box from the analysis, the splash can be seen for sure.
TEST_F(WindowTest, SplashStaysUpWhileTheStartupErrorIsShown) {
  Dist().AddSetup();
  Dist().WriteFile("Quillmk.pak", {'X', 'W', 'P', 'A', 'K', 0, 0});
  SetupProcess& setup = Start();
  HWND box = setup.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  HWND splash = setup.Splash();
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(WindowText(FindDescendant(splash, SplashLabel)), "Loading Quillmark Setup...");
  EXPECT_EQ(setup.MainWindow(), nullptr);
  AnswerMessageBox(box, IDOK);
  ASSERT_NE(setup.WaitForMainWindow(), nullptr);
  EXPECT_EQ(setup.Splash(), nullptr);
}

}  // namespace
}  // namespace e2e
