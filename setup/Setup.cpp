// Program unit Setup: the start-up sequence and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "system/Account.h"
#include "system/ActionLog.h"
#include "system/OwnImage.h"
#include "system/RunningProgram.h"
#include "system/SingleInstance.h"
#include "window/SetupMainForm.h"
#include "window/SetupSplash.h"
#include "unattended/UnattendedRun.h"
#include "unattended/UserSetup.h"
#include "logic/LogName.h"
#include "logic/ProductNames.h"
#include "common/LibrarySearch.h"
#include "common/RedirectionTrust.h"

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
  LogAction(std::string(ApplicationTitle) + " " + QM_SETUP_VERSION + ": " + program);
  LogAction(WindowsVersionText());
  LogAction("Account: " + ProcessAccountName());
  LogAction(std::string("Elevated: ") + (ProcessElevated() ? "yes" : "no"));
  LogAction(std::string("Command line: ") + GetCommandLineA());
}

// /LOG alone: a new file in the temporary directory, the first number of the day that no file
// has yet. False when none can be opened.
bool OpenNewTempLog() {
  char folder[MAX_PATH + 1] = "";
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return false;
  SYSTEMTIME today;
  GetLocalTime(&today);
  for (int number = 1; number <= TempLogNumbers; ++number) {
    const std::string path = folder + TempLogName(today.wYear, today.wMonth, today.wDay, number);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return OpenActionLog(path);
  }
  return false;
}

// What the switches that change no command ask for, in the log.
void LogSwitchNotes(const SetupSwitches& switches) {
  for (const std::string& ignored : switches.Ignored) LogAction("Switch " + ignored + " accepted: it changes nothing here");
  if (switches.RestartExitCode)
    LogAction("Switch /RESTARTEXITCODE=" + std::to_string(*switches.RestartExitCode) +
              " accepted: Setup never needs a restart, so it never ends with that code");
  // SYSTEM's run says its own note at start-up.
  if (switches.Scope == InstallScope::AllUsers && ProcessAccountKind() == AccountKind::Person)
    if (const char* note = PlacesFor(AccountKind::Person, switches.Scope).LogNote) LogAction(note);
  const ApplicationClosing& closing = switches.Closing;
  if (closing.Close)
    LogAction(std::string("Programs that hold files will be asked to close") +
              (closing.Force ? ", and ended after 30 s" : "") +
              (closing.Restart ? "; they are started again afterwards" : "; they stay closed") +
              (switches.Unattended() ? "" : " (unattended runs only: the window asks its user)"));
}

// The switches decide what runs; a line that cannot be understood changes nothing. A box
// appears only where someone can answer it.
RunEnd RunLine(HINSTANCE instance, const SwitchParse& parse) {
  const SetupSwitches& switches = parse.Switches;
  if (!parse.Valid || switches.Help) {
    if (!parse.Valid) LogAction("Command line refused: " + parse.Error);
    if (MayShowBox(parse, OnInteractiveDesktop())) {
      const std::string text = parse.Valid ? SwitchHelpText : parse.Error + "\r\r" + SwitchHelpText;
      MessageBoxA(nullptr, text.c_str(), ApplicationTitle, MB_OK | (parse.Valid ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    return {parse.Valid ? ExitDone : ExitBadCommandLine};
  }
  LogSwitchNotes(switches);
  // The user's own share needs no lock: it runs without administrator rights, which the lock
  // requires, and touches only the user's settings.
  if (switches.UserSetup) return RunUserSetup();
  if (switches.Shortcuts) {
    const auto& chosen = *switches.Shortcuts;
    LogAction(std::string("Shortcuts asked for:") + (chosen[0] ? " desktop" : "") + (chosen[1] ? " startmenu" : "") +
              (chosen[2] ? " programs" : "") + (chosen[0] || chosen[1] || chosen[2] ? "" : " none"));
  }
  if (!ClaimSingleInstance()) {
    LogAction("Another Setup is running: nothing changed");
    if (!switches.Unattended())
      MessageBoxA(nullptr, (std::string(ApplicationTitle) + " is already running.").c_str(), ApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    return {ExitSetupRunning};
  }
  return switches.Unattended() ? RunUnattended(instance, switches) : RunEnd{RunWindow(instance, switches)};
}

int Run(HINSTANCE instance, const std::string& arguments) {
  const SwitchParse parse = ParseSetupSwitches(arguments);
  const SetupSwitches& switches = parse.Switches;
  // Found also on a refused line, so that the refusal is logged; one whose log cannot be
  // opened goes on to its refusal without it.
  const bool logOpened = switches.Log && (switches.Log->empty() ? OpenNewTempLog() : OpenActionLog(*switches.Log));
  if (switches.Log && !logOpened && parse.Valid) {
    if (!switches.Unattended() && MayShowBox(parse, OnInteractiveDesktop())) {
      const std::string file = switches.Log->empty() ? "in the temporary directory" : *switches.Log;
      MessageBoxA(nullptr, ("Cannot open the log file " + file + ": " + ActionLogRefusal()).c_str(), ApplicationTitle,
                  MB_OK | MB_ICONERROR);
    }
    return ExitBadCommandLine;
  }
  if (ActionLogOpen()) LogHeader();
  const RunEnd end = RunLine(instance, parse);
  LogAction("Finished, exit code " + std::to_string(end.Code) + " (" + ExitMeaning(end) + ")");
  return end.Code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  RestrictLibrarySearch();  // before anything can load a library
  HoldOwnImage();           // before a user could rename it and put another file in its place
  TrustNoUsersJunctions();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // A drive that is not ready fails the query instead of asking the user to insert a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  // The shell link object needs COM for the whole run.
  const HRESULT com = CoInitialize(nullptr);
  // Before the first call: the desktop's shell is the user's process, and what it sends back
  // must not unmarshal through code of its choosing in Setup, nor may it act as Setup.
  if (SUCCEEDED(com))
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IDENTIFY, nullptr,
                         EOAC_NO_CUSTOM_MARSHAL, nullptr);

  const int exitCode = Run(instance, arguments);

  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return exitCode;
}
