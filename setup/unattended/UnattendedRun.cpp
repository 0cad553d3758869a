#include "UnattendedRun.h"

#include "UnattendedFeedback.h"
#include "commands/SetupRun.h"
#include "system/ActionLog.h"
#include "system/InstallationFolder.h"

namespace {

const char* CommandName(SetupCommand command) {
  switch (command) {
    case SetupCommand::Install: return "install";
    case SetupCommand::Update: return "update";
    case SetupCommand::Uninstall: return "uninstall";
    case SetupCommand::None: break;
  }
  return "nothing to do";
}

}  // namespace

RunEnd RunUnattended(HINSTANCE instance, const SetupSwitches& switches) {
  UnattendedFeedback feedback(instance, switches.Silent && !switches.VerySilent);
  SetupRun run(feedback);
  bool started = false;
  feedback.Guarded([&] { started = run.Analyse(); });
  // Start-up's own error (a damaged or unreadable package) ends the run before any change.
  if (!started || feedback.Errors() > 0) {
    LogAction("Start-up failed: nothing changed");
    return {ExitPackageMissing};
  }
  const SetupCommand command = CommandFor(run.Model.Pages, switches.Uninstall);
  LogAction(std::string("Unattended run: ") + CommandName(command));
  // Without a command, either there is nothing to remove or this version is installed, or
  // there is no package to install from: only the last is a fault of the distribution.
  if (command == SetupCommand::None)
    return {switches.Uninstall || run.Model.PackageFound ? ExitNothingToDo : ExitPackageMissing};

  bool applied = false;
  feedback.Guarded([&] {
    ApplySwitches(run.Model, switches);
    applied = true;
  });
  if (!applied) return {ExitPackageMissing};  // an option that cannot be installed: nothing changed

  bool filesInUse = false;
  bool refused = false;  // an installation directory Setup refuses: nothing changed
  bool unpinned = false;  // a package the distribution's Setup does not pin: nothing changed
  feedback.Guarded([&] {
    try {
      switch (command) {
        case SetupCommand::Install: run.Install(); break;
        case SetupCommand::Update: run.Update(); break;
        default: run.Uninstall(); break;
      }
    } catch (const EFilesInUse&) {
      filesInUse = true;  // each file is in the log already
    } catch (const EUnsafeFolder&) {
      refused = true;
      throw;
    } catch (const EUnusableDirectory&) {
      refused = true;
      throw;
    } catch (const EUnpinnedPackage&) {
      unpinned = true;
      throw;
    }
  });
  // Also after files in use or a refusal: what was closed for nothing runs again.
  run.RestartClosedPrograms();
  if (filesInUse) {
    LogAction("Files in use: nothing changed");
    return {ExitFilesInUse};
  }
  if (refused) return {ExitBadCommandLine, RefusalReason::InstallationDirectory};
  if (unpinned) return {ExitPackageMissing};
  return {feedback.Errors() > 0 ? ExitDoneWithErrors : ExitDone};
}
