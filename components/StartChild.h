#pragma once
#include <windows.h>

#include "ChildStart.h"

// Starts a child as ChooseChildRoute says: where Setup runs elevated, through the desktop's
// shell (the desktop's view, its IShellDispatch2::ShellExecute), which runs as the user who
// started Setup; otherwise with ShellExecute, owned by owner. Nothing is started for an empty
// File; whether the child started is not examined. COM must be initialised on the thread.
void StartChild(const ChildStart& child, HWND owner);
