#pragma once
#include <string>

// The pages start-up may offer; Busy and Finished stay hidden until a command runs.
enum class OfferedPage { Welcome, Delphi, Install, Update, Uninstall, Nothing };
constexpr int OfferedPageCount = 6;

// What start-up offers, from what it found.
struct PageSelection {
  bool Shown[OfferedPageCount] = {};  // tab visible, by OfferedPage
  OfferedPage Current = OfferedPage::Welcome;
  bool SetsUpdateLabels = false;  // LabelOldVersion / LabelInstallVersion get the versions

  bool IsShown(OfferedPage page) const { return Shown[static_cast<int>(page)]; }
};

// installedVersion is "None" when there is no usable installation; packageVersion is empty
// when the application package is missing.
PageSelection SelectPages(bool packageFound, const std::string& installedVersion,
                          const std::string& packageVersion);

// The case of start-up's table the selection stands for: 'A' a fresh install, 'B' an update,
// 'C' the same version installed, 'D' an installation without a package, 'E' neither.
char StartupCase(const PageSelection& selection, bool packageFound);

extern const char* const NoInstalledVersion;  // "None"
