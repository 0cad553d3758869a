#pragma once
#include <windows.h>

#include "logic/ExitCodes.h"
#include "logic/SetupSwitches.h"

// Runs what the window would offer for start-up's case, with no one to answer: install,
// update or uninstall, by the very commands of the window. Programs it closed for the command
// are started again afterwards. Returns the exit code, and why for ExitBadCommandLine.
RunEnd RunUnattended(HINSTANCE instance, const SetupSwitches& switches);
