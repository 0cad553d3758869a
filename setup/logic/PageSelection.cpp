#include "PageSelection.h"

const char* const NoInstalledVersion = "None";

PageSelection SelectPages(bool packageFound, const std::string& installedVersion,
                          const std::string& packageVersion) {
  PageSelection result;
  auto show = [&](StartPage page, bool visible) { result.Shown[static_cast<int>(page)] = visible; };
  // As the window is designed: every page but Nothing To Do; a missing package has already
  // taken away Welcome, Install and Update.
  show(StartPage::Welcome, packageFound);
  show(StartPage::Delphi, true);
  show(StartPage::Install, packageFound);
  show(StartPage::Update, packageFound);
  show(StartPage::Uninstall, true);
  result.Current = packageFound ? StartPage::Welcome : StartPage::Uninstall;

  if (installedVersion != NoInstalledVersion) {
    result.SetsUpdateLabels = true;
    // Any difference offers the update, an older package included.
    const bool offersUpdate = !packageVersion.empty() && packageVersion != installedVersion;
    if (!offersUpdate) {
      show(StartPage::Update, false);
      show(StartPage::Delphi, false);
    }
    show(StartPage::Welcome, false);
    show(StartPage::Install, false);
    result.Current = offersUpdate ? StartPage::Update : StartPage::Uninstall;
  } else {
    show(StartPage::Update, false);
    show(StartPage::Uninstall, false);
    if (!packageFound) {
      show(StartPage::Delphi, false);
      show(StartPage::Nothing, true);
      result.Current = StartPage::Nothing;
    }
  }
  return result;
}
