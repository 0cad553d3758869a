#pragma once
#include <windows.h>

#include "logic/SetupSwitches.h"

// The exit codes of a run with switches. ExitBadCommandLine also stands for a log that cannot
// be opened and an installation directory that Setup refuses: nothing changed.
enum ExitCode {
  ExitDone = 0,
  ExitBadCommandLine = 1,
  ExitPackageMissing = 2,
  ExitDoneWithErrors = 3,
  ExitNothingToDo = 4,
  ExitFilesInUse = 5,
  ExitSetupRunning = 1618,  // Windows Installer's code for it, which deployment tools retry
};

// What an exit code says, for the log's last line.
const char* ExitCodeMeaning(int code);

// Runs what the window would offer for start-up's case, with no one to answer: install,
// update or uninstall, by the very commands of the window. Returns the exit code.
int RunUnattended(HINSTANCE instance, const SetupSwitches& switches);
