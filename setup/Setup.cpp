// Program unit Setup: the start-up sequence and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "system/ActionLog.h"
#include "window/SetupMainForm.h"
#include "window/SetupSplash.h"
#include "unattended/UnattendedRun.h"
#include "sweeper/LibrarySearch.h"
#include "sweeper/RedirectionTrust.h"

namespace {

int RunMessageLoop(const TSetupForm& form) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Tab and arrow keys move between the controls of the pages.
    if (IsWindow(form.Handle()) && IsDialogMessageA(form.Handle(), &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunWindow(HINSTANCE instance, const SetupSwitches& switches) {
  // Painted before the form is created, because creating it runs the start-up analysis,
  // which blocks the thread.
  auto splash = std::make_unique<TSplashForm>(instance);
  splash->Show();
  TSetupForm form(instance);
  splash.reset();
  if (!form.ShouldRun()) {
    return 0;
  }
  form.Guarded([&] { form.ApplySwitches(switches); });
  form.Show();
  return RunMessageLoop(form);
}

// The switches decide what runs; a line that cannot be understood changes nothing.
int Run(HINSTANCE instance, const std::string& arguments) {
  const SwitchParse parse = ParseSetupSwitches(arguments);
  const SetupSwitches& switches = parse.Switches;
  if (!parse.Valid || switches.Help) {
    // Help shows but with /VERYSILENT; the refusal of a line with either silent switch does not.
    if (!switches.VerySilent && (parse.Valid || !switches.Silent)) {
      const std::string text = parse.Valid ? SwitchHelpText : parse.Error + "\r\r" + SwitchHelpText;
      MessageBoxA(nullptr, text.c_str(), ApplicationTitle, MB_OK | (parse.Valid ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    return parse.Valid ? ExitDone : ExitBadCommandLine;
  }
  if (switches.Log) {
    if (!OpenActionLog(*switches.Log)) {
      if (!switches.Unattended()) {
        MessageBoxA(nullptr, ("Cannot open the log file " + *switches.Log).c_str(), ApplicationTitle,
                    MB_OK | MB_ICONERROR);
      }
      return ExitBadCommandLine;
    }
    LogAction("Setup started with: " + arguments);
  }
  return switches.Unattended() ? RunUnattended(instance, switches) : RunWindow(instance, switches);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  RestrictLibrarySearch();  // before anything can load a library
  TrustNoUsersJunctions();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // A drive that is not ready fails the query instead of asking the user to insert a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  // The shell link object needs COM for the whole run.
  const HRESULT com = CoInitialize(nullptr);

  const int exitCode = Run(instance, arguments);

  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return exitCode;
}
