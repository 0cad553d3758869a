#pragma once
#include <windows.h>

// Setup runs elevated from a download folder, the helper from a temporary one, and either may
// hold a planted DLL. From here on libraries load from the system directory only. Systems
// without SetDefaultDllDirectories (Windows 7 before KB2533623) at least lose the current
// directory from the search; looked up at run time so that they can still start us.
inline void RestrictLibrarySearch() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDirectories == nullptr || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}
