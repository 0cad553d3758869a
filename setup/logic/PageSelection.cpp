#include "PageSelection.h"

const char* const NoInstalledVersion = "None";

char CaseLetter(StartupCase startupCase) { return static_cast<char>('A' + static_cast<int>(startupCase)); }

PageSelection SelectPages(bool packageFound, const std::string& installedVersion,
                          const std::string& packageVersion) {
  PageSelection result;
  auto show = [&](OfferedPage page, bool visible) { result.Shown[static_cast<int>(page)] = visible; };
  // As the window is designed: every page but Nothing To Do; a missing package has already
  // taken away Welcome, Install and Update.
  show(OfferedPage::Welcome, packageFound);
  show(OfferedPage::Delphi, true);
  show(OfferedPage::Install, packageFound);
  show(OfferedPage::Update, packageFound);
  show(OfferedPage::Uninstall, true);
  result.Current = packageFound ? OfferedPage::Welcome : OfferedPage::Uninstall;

  if (installedVersion != NoInstalledVersion) {
    result.SetsUpdateLabels = true;
    // Any difference offers the update, an older package included.
    const bool offersUpdate = !packageVersion.empty() && packageVersion != installedVersion;
    if (!offersUpdate) {
      show(OfferedPage::Update, false);
      show(OfferedPage::Delphi, false);
    }
    show(OfferedPage::Welcome, false);
    show(OfferedPage::Install, false);
    result.Current = offersUpdate ? OfferedPage::Update : OfferedPage::Uninstall;
    result.Case = offersUpdate  ? StartupCase::Update
                  : packageFound ? StartupCase::SameVersion
                                 : StartupCase::InstalledWithoutPackage;
  } else {
    show(OfferedPage::Update, false);
    show(OfferedPage::Uninstall, false);
    result.Case = StartupCase::FreshInstall;
    if (!packageFound) {
      show(OfferedPage::Delphi, false);
      show(OfferedPage::Nothing, true);
      result.Current = OfferedPage::Nothing;
      result.Case = StartupCase::NothingInstalled;
    }
  }
  return result;
}

OfferedPage OpeningPage(const PageSelection& pages, bool uninstallAsked) {
  return uninstallAsked && pages.IsShown(OfferedPage::Uninstall) ? OfferedPage::Uninstall : pages.Current;
}

SetupCommand CommandFor(const PageSelection& pages, bool uninstallAsked) {
  if (uninstallAsked) return pages.IsShown(OfferedPage::Uninstall) ? SetupCommand::Uninstall : SetupCommand::None;
  for (OfferedPage page : {OfferedPage::Update, OfferedPage::Install})
    if (pages.IsShown(page)) return CommandOfPage(page);
  return SetupCommand::None;
}

SetupCommand CommandOfPage(OfferedPage page) {
  switch (page) {
    case OfferedPage::Install: return SetupCommand::Install;
    case OfferedPage::Update: return SetupCommand::Update;
    case OfferedPage::Uninstall: return SetupCommand::Uninstall;
    default: return SetupCommand::None;
  }
}
