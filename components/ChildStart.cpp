#include "ChildStart.h"

namespace {
constexpr int Hidden = 0;  // SW_HIDE
constexpr int Normal = 1;  // SW_SHOWNORMAL

std::string WithBackslash(const std::string& dir) {
  return dir.empty() || dir.back() == '\\' ? dir : dir + '\\';
}
}  // namespace

ChildStart ProductStart(const std::string& program) { return {program, "", Hidden}; }

std::string HelpViewer(const std::string& windowsDir, const std::string& systemDir,
                       const std::function<bool(const std::string& path)>& exists) {
  for (const std::string& folder : {windowsDir, systemDir}) {
    const std::string viewer = WithBackslash(folder) + "winhlp32.exe";
    if (!folder.empty() && exists(viewer)) return viewer;
  }
  return std::string();
}

ChildStart HelpStart(const std::string& viewer, const std::string& helpFile) {
  return {viewer, viewer.empty() ? std::string() : "\"" + helpFile + "\"", Normal};
}

ChildStart PageStart(const std::string& address) { return {address, "", Normal}; }

ChildRoute ChooseChildRoute(bool holdsRights, bool desktopShellFound) {
  if (!holdsRights) return ChildRoute::Directly;
  return desktopShellFound ? ChildRoute::DesktopShell : ChildRoute::None;
}
