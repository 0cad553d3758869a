#pragma once
#include <windows.h>

#include "ChildStart.h"

// Starts a child as ChooseChildRoute says: where the process holds rights (elevated, or SYSTEM),
// through the desktop's shell (the desktop's view, its IShellDispatch2::ShellExecute), which
// runs as the user who started it, or not at all; otherwise with ShellExecute, owned by owner.
// False when no route may start it (the caller then tells the user where to start it);
// nothing is started for an empty File, and whether the child started is not examined. COM
// must be initialised on the thread.
bool StartChild(const ChildStart& child, HWND owner);
// Whether StartChild has a route now.
bool CanStartChildren();
