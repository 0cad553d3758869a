#include "SingleInstance.h"

#include <windows.h>

#include <string>

#include "ActionLog.h"
#include "archive/NoFollowWin32.h"
#include "logic/ProductNames.h"

namespace {
const std::string LockName = std::string(ApplicationTitle) + ".lock";
}  // namespace

bool ClaimSingleInstance() {
  // A file in the Windows directory, where only administrators and SYSTEM may add one: no
  // other user can make it first, as anyone could a mutex of a global name. Held without any
  // sharing and deleted when its last handle closes, which the system does for a Setup that
  // was killed too, so a stale file never blocks. The handle is never closed: the system
  // releases it when the process ends. A private namespace bounded by the Administrators
  // group would do as well on Windows, but Wine has none: the lock the tests reach is the one
  // that runs.
  char windows[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryA(windows, sizeof windows);
  std::string why;
  const OwnedHandle folder = length > 0 && length < sizeof windows ? OpenCheckedFolder(windows, why) : OwnedHandle();
  DWORD error = folder ? ERROR_SUCCESS : ERROR_PATH_NOT_FOUND;
  OwnedHandle lock = folder ? OpenInFolder(folder.Get(), LockName, DELETE | SYNCHRONIZE, 0, FILE_OPEN_IF,
                                           FILE_NON_DIRECTORY_FILE | FILE_DELETE_ON_CLOSE, error)
                            : OwnedHandle();
  if (lock) {
    lock.Release();
    return true;
  }
  if (error == ERROR_SHARING_VIOLATION) return false;
  // Only an administrator could stand in the way here; the run goes on without the lock
  // rather than end every run with "another Setup".
  LogAction("The lock against a second Setup cannot be taken (" + (why.empty() ? SystemErrorText(error) : why) +
            "): going on without it");
  return true;
}
