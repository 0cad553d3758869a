// Program unit Setup: the start-up sequence and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "system/Account.h"
#include "system/ActionLog.h"
#include "system/RunningProgram.h"
#include "system/SingleInstance.h"
#include "window/SetupMainForm.h"
#include "window/SetupSplash.h"
#include "unattended/UnattendedRun.h"
#include "sweeper/LibrarySearch.h"
#include "sweeper/RedirectionTrust.h"

namespace {

int RunMessageLoop(TSetupForm& form) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Ctrl+Tab and friends move between the pages; Tab, the arrow keys, Enter and Escape work
    // as in a dialog.
    if (IsWindow(form.Handle()) && (form.PageKey(message) || IsDialogMessageA(form.Handle(), &message))) {
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

// Who ran what where: the first lines of every run's log, for whoever reads it afterwards.
void LogHeader() {
  std::string program;
  try {
    program = RunningProgramPath();
  } catch (const std::exception& error) {
    program = error.what();  // an old code page that cannot name Setup's folder: start-up says so again
  }
  LogAction(std::string("Quillmark Setup ") + QM_SETUP_VERSION + ": " + program);
  LogAction(WindowsVersionText());
  LogAction("Account: " + ProcessAccountName());
  LogAction(std::string("Elevated: ") + (ProcessElevated() ? "yes" : "no"));
  LogAction(std::string("Command line: ") + GetCommandLineA());
}

// The switches decide what runs; a line that cannot be understood changes nothing. A box
// appears only where someone can answer it.
int RunLine(HINSTANCE instance, const SwitchParse& parse) {
  const SetupSwitches& switches = parse.Switches;
  if (!parse.Valid || switches.Help) {
    if (!parse.Valid) LogAction("Command line refused: " + parse.Error);
    if (MayShowBox(parse, OnInteractiveDesktop())) {
      const std::string text = parse.Valid ? SwitchHelpText : parse.Error + "\r\r" + SwitchHelpText;
      MessageBoxA(nullptr, text.c_str(), ApplicationTitle, MB_OK | (parse.Valid ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    return parse.Valid ? ExitDone : ExitBadCommandLine;
  }
  for (const std::string& ignored : switches.Ignored) LogAction("Switch " + ignored + " accepted: it changes nothing here");
  if (switches.Shortcuts) {
    const auto& chosen = *switches.Shortcuts;
    LogAction(std::string("Shortcuts asked for:") + (chosen[0] ? " desktop" : "") + (chosen[1] ? " startmenu" : "") +
              (chosen[2] ? " programs" : "") + (chosen[0] || chosen[1] || chosen[2] ? "" : " none"));
  }
  if (!ClaimSingleInstance()) {
    LogAction("Another Setup is running: nothing changed");
    if (!switches.Unattended())
      MessageBoxA(nullptr, "Quillmark Setup is already running.", ApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    return ExitSetupRunning;
  }
  return switches.Unattended() ? RunUnattended(instance, switches) : RunWindow(instance, switches);
}

int Run(HINSTANCE instance, const std::string& arguments) {
  const SwitchParse parse = ParseSetupSwitches(arguments);
  const SetupSwitches& switches = parse.Switches;
  // Found also on a refused line, so that the refusal is logged; one whose log cannot be
  // opened goes on to its refusal without it.
  if (switches.Log && !OpenActionLog(*switches.Log) && parse.Valid) {
    if (!switches.Unattended() && MayShowBox(parse, OnInteractiveDesktop())) {
      MessageBoxA(nullptr, ("Cannot open the log file " + *switches.Log).c_str(), ApplicationTitle,
                  MB_OK | MB_ICONERROR);
    }
    return ExitBadCommandLine;
  }
  if (ActionLogOpen()) LogHeader();
  const int exitCode = RunLine(instance, parse);
  LogAction("Finished, exit code " + std::to_string(exitCode) + " (" + ExitCodeMeaning(exitCode) + ")");
  return exitCode;
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
