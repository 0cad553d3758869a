#include "UserSetup.h"

#include <array>
#include <exception>

#include "logic/UninstallPlan.h"
#include "stores/InstallationRecord.h"
#include "stores/ToolsMenu.h"
#include "system/ActionLog.h"

RunEnd RunUserSetup() {
  const RecordedInstallation recorded = ReadInstalledState();
  if (!recorded.InstallDir || recorded.InstallDir->empty()) {
    LogAction("Quillmark is not installed: no Tools-menu entries to add");
    return {ExitNothingToDo};
  }
  std::array<bool, IdeOptionCount> installed{};
  for (int i = 0; i < IdeOptionCount; ++i) installed[i] = recorded.OptionDirs[i].has_value();
  try {
    AddToolsMenuEntries(installed, WithTrailingBackslash(*recorded.InstallDir), ToolsEntryAdding::Once);
  } catch (const std::exception& error) {
    // As Install: the lists after the first that cannot be edited get no entry.
    LogAction(std::string("Tools-menu entries stopped: ") + error.what());
    return {ExitDoneWithErrors};
  }
  return {ExitDone};
}
