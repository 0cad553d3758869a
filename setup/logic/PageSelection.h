#pragma once
#include <string>

// The pages start-up may offer; Busy and Finished stay hidden until a command runs.
enum class OfferedPage { Welcome, Delphi, Install, Update, Uninstall, Nothing };
constexpr int OfferedPageCount = 6;

// What start-up found: a fresh installation (case A), an update (B), the same version
// installed (C), an installation without a package beside Setup (D), or neither (E).
enum class StartupCase { FreshInstall, Update, SameVersion, InstalledWithoutPackage, NothingInstalled };
// The letter of the case, as the log names it.
char CaseLetter(StartupCase startupCase);

// What start-up offers, from what it found.
struct PageSelection {
  bool Shown[OfferedPageCount] = {};  // tab visible, by OfferedPage
  OfferedPage Current = OfferedPage::Welcome;
  bool SetsUpdateLabels = false;  // LabelOldVersion / LabelInstallVersion get the versions
  StartupCase Case = StartupCase::FreshInstall;

  bool IsShown(OfferedPage page) const { return Shown[static_cast<int>(page)]; }
};

// installedVersion is "None" when there is no usable installation; packageVersion is empty
// when the application package is missing or names no version.
PageSelection SelectPages(bool packageFound, const std::string& installedVersion,
                          const std::string& packageVersion);

extern const char* const NoInstalledVersion;  // "None"

// The commands a run can carry out: each is the button of one page.
enum class SetupCommand { None, Install, Update, Uninstall };

// The page the window opens on: the Uninstall page when uninstalling was asked for and is
// offered, else start-up's own.
OfferedPage OpeningPage(const PageSelection& pages, bool uninstallAsked);

// The command a run without the window carries out: the one the window offers for the same
// start-up and the same request. Uninstall when asked for and offered; otherwise Update or
// Install where its page is offered; otherwise none.
SetupCommand CommandFor(const PageSelection& pages, bool uninstallAsked);

// The command of a page's button; none for the pages that have no command.
SetupCommand CommandOfPage(OfferedPage page);
