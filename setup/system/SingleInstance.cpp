#include "SingleInstance.h"

#include <windows.h>

bool ClaimSingleInstance() {
  // "Global\": a Setup in another session (another user's, a deployment tool's) counts too.
  // The handle is never closed: the system releases it when the process ends.
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Global\\Penwright.Quillmark.Setup");
  if (mutex == nullptr) return GetLastError() != ERROR_ACCESS_DENIED;  // held by another user's Setup
  return GetLastError() != ERROR_ALREADY_EXISTS;
}
