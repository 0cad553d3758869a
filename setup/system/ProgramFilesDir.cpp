#include "ProgramFilesDir.h"

#include <windows.h>

std::optional<std::string> ProgramFilesDir(ProgramFilesView view) {
  char path[256] = "";
  DWORD size = sizeof path;
  const DWORD flags = RRF_RT_REG_SZ | (view == ProgramFilesView::Bits32 ? RRF_SUBKEY_WOW6432KEY : RRF_SUBKEY_WOW6464KEY);
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", flags,
                   nullptr, path, &size) != ERROR_SUCCESS ||
      path[0] == '\0')
    return std::nullopt;
  return std::string(path);
}
