#include "UnattendedRun.h"

#include <memory>
#include <stdexcept>

#include "system/ActionLog.h"
#include "system/InstallationFolder.h"
#include "window/SetupMainForm.h"
#include "ProgressWindow.h"

namespace {

const char* ActionName(SilentAction action) {
  switch (action) {
    case SilentAction::Install: return "install";
    case SilentAction::Update: return "update";
    case SilentAction::Uninstall: return "uninstall";
    case SilentAction::NothingToDo: break;
  }
  return "nothing to do";
}

}  // namespace

int RunUnattended(HINSTANCE instance, const SetupSwitches& switches) {
  auto owned = std::make_unique<UnattendedControls>(instance, switches.Silent && !switches.VerySilent);
  const UnattendedControls& controls = *owned;
  TSetupForm form(instance, std::move(owned));
  // Start-up's own error (a damaged or unreadable package) ends the run before any change.
  if (!form.ShouldRun() || form.StartupCase() == 0 || controls.Errors() > 0) {
    LogAction("Start-up failed: nothing changed");
    return ExitNothingToDo;
  }
  const SilentAction action = SilentActionFor(form.StartupCase(), switches.Uninstall);
  LogAction(std::string("Unattended run: ") + ActionName(action));
  if (action == SilentAction::NothingToDo) return ExitNothingToDo;

  bool applied = false;
  form.Guarded([&] {
    form.ApplySwitches(switches);
    applied = true;
  });
  if (!applied) return ExitNothingToDo;  // an option that cannot be installed: nothing changed

  bool refused = false;  // an installation directory Setup refuses: nothing changed
  switch (action) {
    case SilentAction::Install:
      form.Guarded([&] {
        try {
          form.NowBtnClick();
        } catch (const EUnsafeFolder&) {
          refused = true;
          throw;
        }
      });
      break;
    case SilentAction::Update: form.Guarded([&] { form.UpdateBtnClick(); }); break;
    default: form.Guarded([&] { form.UninstallBtnClick(); }); break;
  }
  const int exitCode = refused ? ExitBadCommandLine : controls.Errors() > 0 ? ExitDoneWithErrors : ExitDone;
  LogAction("Finished, exit code " + std::to_string(exitCode));
  return exitCode;
}
