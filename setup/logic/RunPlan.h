#pragma once
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "AccountPlaces.h"
#include "IdeOptions.h"
#include "InstallDirectory.h"
#include "RunModel.h"

// An IDE option as Install and Update carry it out.
struct IdeTarget {
  bool Chosen = false;
  std::string Directory;  // as shown: what the record keeps
  std::string Path;       // the same, ending in a backslash
};

// Which package of the distribution: the application's, or an IDE option's by its index.
constexpr int ApplicationPackage = -1;

// A package the command installs, and the folder it goes into.
struct PackageTarget {
  int Option = ApplicationPackage;
  std::string Path;  // ends in a backslash
};

// One Install or Update, fixed when it starts: every step (the folder claim, the files-in-use
// check, the extraction, the shortcuts, the Tools menus, the record) takes its directories
// from here instead of making them again from the model's texts.
struct RunPlan {
  InstallDirectory Install;
  std::array<IdeTarget, IdeOptionCount> Ide;
  ShortcutChoices Shortcuts;
  AccountPlaces Places{};
  // What it installs: the application's package, then each chosen option's. The checks made
  // before anything changes and the extraction go through this list, each package by the file
  // start-up opened and checked.
  std::vector<PackageTarget> Packages;
};

// The installation directory a user chose that Setup does not install into; the text names it
// and says why.
class EUnusableDirectory : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class PlannedCommand { Install, Update };

// The plan of a command from the model. Install takes the directory the user gave by the
// user's rule (ChosenInstallDirectory), the fixed default when none was given; Update takes
// the recorded one. Raises EUnusableDirectory when the directory is refused.
RunPlan PlanOf(const RunModel& model, PlannedCommand command, const CodePage& page = ProgramCodePage());
