#include "RunPlan.h"

#include <optional>

namespace {
constexpr char DefaultInstallDir[] = "C:\\Program Files\\Quillmark\\";
}  // namespace

RunPlan PlanOf(const RunModel& model, PlannedCommand command, const CodePage& page) {
  const std::string& text = model.InstallDir.empty() ? DefaultInstallDir : model.InstallDir;
  // The record's directory was the user's once; an older Setup may have taken one this rule
  // refuses, and the update must still find it.
  std::string why = "it is not a full path (C:\\...)";
  const std::optional<InstallDirectory> dir =
      command == PlannedCommand::Install ? ChosenInstallDirectory(text, page, &why) : RootedDirectory(text, page);
  if (!dir) throw EUnusableDirectory("Cannot install into " + text + ": " + why);
  RunPlan plan;
  plan.Install = *dir;
  plan.Packages.push_back({ApplicationPackage, plan.Install.Path});
  for (int i = 0; i < IdeOptionCount; ++i) {
    IdeTarget& target = plan.Ide[i];
    target.Chosen = model.Ide[i].Chosen;
    target.Directory = model.Ide[i].Directory;
    target.Path = EndsWithAscii(target.Directory, '\\', page) ? target.Directory : target.Directory + '\\';
    if (target.Chosen) plan.Packages.push_back({i, target.Path});
  }
  plan.Shortcuts = model.Shortcuts;
  plan.Places = PlacesFor(model.Account, model.Scope);
  return plan;
}
