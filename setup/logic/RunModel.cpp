#include "RunModel.h"

#include <stdexcept>

#include "UninstallPlan.h"
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
  if (switches.Dir) {
    const std::string proposed = model.InstallDir;
    std::string dir = *switches.Dir;
    while (dir.size() > 3 && EndsWithAscii(dir, '\\')) dir.pop_back();
    model.InstallDir = dir;
    for (int i = 0; i < IdeOptionCount; ++i)
      if (model.Ide[i].Directory == proposed + "\\" + IdeOptions[i].Key)
        model.Ide[i].Directory = WithTrailingBackslash(dir) + IdeOptions[i].Key;
  }
}
