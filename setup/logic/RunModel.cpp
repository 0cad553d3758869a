#include "RunModel.h"

#include <stdexcept>

#include "InstallDirectory.h"
#include "archive/AsciiCase.h"
#include "archive/CodePage.h"

bool Delphi1And2Clash(const RunModel& model) {
  return AsciiUpper(model.Ide[0].Directory) == AsciiUpper(model.Ide[1].Directory);
}

void ApplySwitches(RunModel& model, const SetupSwitches& switches) {
  model.Scope = switches.Scope;
  model.Closing = switches.Closing;
  if (model.Pages.Case != StartupCase::FreshInstall) return;
  if (switches.Components) {
    const auto& ticked = *switches.Components;
    for (int i = 0; i < IdeOptionCount; ++i)
      if (ticked[i] && !model.Ide[i].PackageUsable)
        throw std::runtime_error(std::string("Cannot install ") + IdeOptions[i].Key + ": package " +
                                 IdeOptions[i].Package + " is missing or damaged");
    for (int i = 0; i < IdeOptionCount; ++i) model.Ide[i].Chosen = ticked[i];
  }
  if (switches.Shortcuts) {
    // Only Install makes shortcuts, so they belong with the fresh installation's choices.
    const auto& chosen = *switches.Shortcuts;
    model.Shortcuts = {chosen[0], chosen[1], chosen[2]};
  }
  // The parse took the directory by this rule already; shown as the proposed one is, without
  // its backslash.
  if (const std::optional<InstallDirectory> dir = switches.Dir ? ChosenInstallDirectory(*switches.Dir) : std::nullopt) {
    const std::string proposed = model.InstallDir;
    model.InstallDir = dir->Path.substr(0, dir->Path.size() - 1);
    // No field places the options of an unattended run: those proposed below the installation
    // directory go along, or they would be made below a directory this installation never uses.
    for (int i = 0; i < IdeOptionCount; ++i)
      if (model.Ide[i].Directory == proposed + "\\" + IdeOptions[i].Key)
        model.Ide[i].Directory = dir->Path + IdeOptions[i].Key;
  }
}
