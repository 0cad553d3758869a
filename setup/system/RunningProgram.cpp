#include "RunningProgram.h"

#include <windows.h>

#include <vector>

#include "ChildStart.h"

std::string RunningProgramPath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // cut short: again with room for a long path
  }
}

std::string HelpViewerPath() {
  char windows[MAX_PATH], system[MAX_PATH];
  const UINT windowsLength = GetWindowsDirectoryA(windows, sizeof windows);
  const UINT systemLength = GetSystemDirectoryA(system, sizeof system);
  return HelpViewer(windowsLength > 0 && windowsLength < sizeof windows ? windows : "",
                    systemLength > 0 && systemLength < sizeof system ? system : "", [](const std::string& path) {
                      const DWORD attributes = GetFileAttributesA(path.c_str());
                      return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
                    });
}
