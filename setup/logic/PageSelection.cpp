#include "PageSelection.h"

const char* const NoInstalledVersion = "None";

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
  } else {
    show(OfferedPage::Update, false);
    show(OfferedPage::Uninstall, false);
    if (!packageFound) {
      show(OfferedPage::Delphi, false);
      show(OfferedPage::Nothing, true);
      result.Current = OfferedPage::Nothing;
    }
  }
  return result;
}

char StartupCase(const PageSelection& selection, bool packageFound) {
  switch (selection.Current) {
    case OfferedPage::Update: return 'B';
    case OfferedPage::Uninstall: return packageFound ? 'C' : 'D';
    case OfferedPage::Nothing: return 'E';
    default: return 'A';
  }
}
