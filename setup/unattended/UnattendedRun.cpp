#include "UnattendedRun.h"

#include "UnattendedFeedback.h"
#include "commands/SetupRun.h"
#include "system/ActionLog.h"

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

int RunUnattended(HINSTANCE instance, const SetupSwitches& switches) {
  UnattendedFeedback feedback(instance, switches.Silent && !switches.VerySilent);
  SetupRun run(feedback);
  bool started = false;
  feedback.Guarded([&] { started = run.Analyse(); });
  // Start-up's own error (a damaged or unreadable package) ends the run before any change.
  if (!started || feedback.Errors() > 0) {
    LogAction("Start-up failed: nothing changed");
    return ExitNothingToDo;
  }
  const SetupCommand command = CommandFor(run.Pages, switches.Uninstall);
  LogAction(std::string("Unattended run: ") + CommandName(command));
  if (command == SetupCommand::None) return ExitNothingToDo;

  bool applied = false;
  feedback.Guarded([&] {
    ApplySwitches(run.Model, switches);
    applied = true;
  });
  if (!applied) return ExitNothingToDo;  // an option that cannot be installed: nothing changed

  bool filesInUse = false;
  feedback.Guarded([&] {
    try {
      switch (command) {
        case SetupCommand::Install: run.Install(); break;
        case SetupCommand::Update: run.Update(); break;
        default: run.Uninstall(); break;
      }
    } catch (const EFilesInUse&) {
      filesInUse = true;  // each file is in the log already
    }
  });
  if (filesInUse) {
    LogAction("Files in use: nothing changed, exit code " + std::to_string(ExitFilesInUse));
    return ExitFilesInUse;
  }
  const int exitCode = feedback.Errors() > 0 ? ExitDoneWithErrors : ExitDone;
  LogAction("Finished, exit code " + std::to_string(exitCode));
  return exitCode;
}
