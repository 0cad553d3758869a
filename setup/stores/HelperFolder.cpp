#include "HelperFolder.h"

#include "archive/ByteFile.h"  // before <windows.h>, whose CreateDirectory macro would rename ours

#include <windows.h>
#undef CreateDirectory

#include <system_error>

#include "logic/NoFollowPath.h"
#include "logic/SweeperCommand.h"
#include "logic/UninstallPlan.h"
#include "system/NoFollow.h"

// The helper runs with Setup's rights, so it never runs from a place the user controls (the
// user's temporary directory is theirs: a share lock pins a file's bytes, not its path).
namespace {

// The Windows temporary directory: no user can swap it or a folder on the way to it.
std::string SystemTempDirectory() {
  char buffer[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer)
    throw EFileError("Cannot find the temporary directory", "Sweeper.exe",
                     std::system_category().message(static_cast<int>(GetLastError())));
  return WithTrailingBackslash(std::string(buffer, length)) + "Temp\\";
}

// Earlier runs' folders, once their helpers have ended; a folder of another name, a link, or
// a helper still running stays.
void RemoveLeftovers(const std::string& parent) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((parent + HelperFolderPattern()).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const bool ours = IsHelperFolderName(found.cFileName) && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                      !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (!ours) continue;
    const std::string folder = parent + found.cFileName;
    DeleteWithoutFollowing(SweeperFilePath(folder));
    RemoveDirectoryA(folder.c_str());  // only an empty one; a link would be removed itself
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

std::string CreateHelperFolder() {
  const std::string parent = SystemTempDirectory();
  RemoveLeftovers(parent);
  uint8_t random[16];
  RandomBytes(random);
  const std::string folder = parent + HelperFolderName(random);
  FileSystem::CreateDirectory(folder, FileSystem::DirectoryAccess::Protected);  // fails if it exists
  return folder + "\\";
}
