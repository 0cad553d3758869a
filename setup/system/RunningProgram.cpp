#include "RunningProgram.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "ChildStart.h"
#include "ProgramText.h"
#include "archive/CodePage.h"

std::string RunningProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) break;
    buffer.resize(buffer.size() * 2);  // cut short: again with room for a long path
  }
  const std::wstring path(buffer.data(), length);
  // Windows before 10 1903 would give "?" for what their code page lacks, and the packages
  // beside Setup would seem missing.
  if (const std::optional<std::string> text = ProgramText(path)) return *text;
  std::string shown(path.size() * 2, '\0');
  shown.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                                       shown.data(), static_cast<int>(shown.size()), nullptr, nullptr)));
  throw std::runtime_error("Setup cannot run from " + shown + ": this system's code page (" +
                           std::to_string(ProgramCodePage().Number()) +
                           ") cannot represent its folder's name. Move Setup and its packages to a folder "
                           "named in that code page, or use Windows 10 version 1903 or later");
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
