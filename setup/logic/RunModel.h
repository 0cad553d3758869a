#pragma once
#include <array>
#include <string>

#include "AccountPlaces.h"
#include "IdeOptions.h"
#include "PageSelection.h"
#include "SetupSwitches.h"

// One IDE option as the run sees it.
struct IdeChoice {
  bool Detected = false;       // its environment was found on this machine
  bool PackageUsable = true;   // its package lies beside Setup and is sound
  bool Chosen = false;         // to be installed (ticked)
  bool Recorded = false;       // installed before: its directory comes from the record and stays
  std::string Directory;       // as shown and typed: no backslash added or removed
};

// Where the shortcuts go; the window's three check boxes.
struct ShortcutChoices {
  bool Desktop = true;
  bool StartMenu = false;
  bool Programs = true;
};

// What a run is about, and the one home of the run's state. Start-up fills it, the window's
// controls and the command line edit it; Install and Update read it once, into their plan
// (RunPlan.h), and Uninstall reads it.
struct RunModel {
  PageSelection Pages;                         // what start-up offers, and its case
  bool PackageFound = false;                   // the application package lies beside Setup
  std::string PackageVersion;                  // empty when the package is missing
  std::string InstalledVersion = NoInstalledVersion;
  std::string ProgramFilesDir;                 // the installation is proposed below it; ends in a backslash
  std::string InstallDir;                      // as shown and typed
  std::array<IdeChoice, IdeOptionCount> Ide;
  ShortcutChoices Shortcuts;
  AccountKind Account = AccountKind::Person;  // decides where shortcuts and Tools entries go
  InstallScope Scope = InstallScope::Unstated;  // and so does /ALLUSERS or /CURRENTUSER
  ApplicationClosing Closing;  // unattended: what to do with programs that hold files
};

// Delphi 1 and 2 editors carry files of the same names: both directories the same (ASCII
// letters without case) cannot be installed.
bool Delphi1And2Clash(const RunModel& model);

// Whose share and which programs to close, for every command; the directory, options and
// shortcuts a command line names, for a fresh installation only: an update keeps the recorded
// ones, so that no installed option is left out of the new record. Options proposed below the
// installation directory follow /DIR to its new place (in the window they stay where start-up
// put them, in fields the user sees and edits). Raises when a named option's package cannot be
// installed (nothing is changed then).
void ApplySwitches(RunModel& model, const SetupSwitches& switches);
