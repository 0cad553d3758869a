#include "LoggedDeletion.h"

#include <windows.h>

#include "ActionLog.h"
#include "archive/LevelOpenWin32.h"
#include "archive/NoFollowWin32.h"

namespace {

bool LogOutcome(bool deleted, DWORD error, const char* item, const char* done, const std::string& path) {
  const std::string what = std::string(item) + (deleted ? " " : " not ") + done + ": " + path;
  if (deleted) {
    LogAction(what);
  } else if (!path.empty() && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
    LogAction(what + " (" +
              (error == ThroughLinkError ? "it is a link or lies behind one, and Setup follows none"
                                         : SystemErrorText(error)) +
              ")");
  }
  return deleted;
}

}  // namespace

bool DeleteLogged(const std::string& path, const char* item, const char* done, ReadOnlyFiles readOnly) {
  const bool deleted = DeleteWithoutFollowing(path.c_str(), readOnly);
  return LogOutcome(deleted, GetLastError(), item, done, path);
}

bool RemoveFolderLogged(const std::string& path) {
  const bool removed = RemoveFolderWithoutFollowing(path.c_str());
  return LogOutcome(removed, GetLastError(), "Directory", "removed", path);
}
