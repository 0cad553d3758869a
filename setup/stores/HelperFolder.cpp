#include "HelperFolder.h"

#include "archive/ByteFile.h"  // before <windows.h>, whose CreateDirectory macro would rename ours

#include <windows.h>
#undef CreateDirectory

#include <winternl.h>

#include "archive/LevelOpenWin32.h"
#include "archive/NoFollowWin32.h"

#include "logic/NoFollowPath.h"
#include "logic/ProductNames.h"
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
    throw EFileError("Cannot find the temporary directory", SweeperFileName,
                     SystemErrorText(GetLastError()));
  return WithTrailingBackslash(std::string(buffer, length)) + "Temp\\";
}

// Earlier runs' folders, once their helpers have ended; a folder of another name, a link, or
// a helper still running stays. Any user may make such a name in the Windows temporary
// directory: each is opened relative to that held directory, and its helper relative to it.
void RemoveLeftovers(const std::string& parent) {
  std::string why;
  const OwnedHandle temp = OpenCheckedFolder(parent, why);
  WIN32_FIND_DATAA found;
  const HANDLE search = temp ? FindFirstFileA((parent + HelperFolderPattern()).c_str(), &found) : INVALID_HANDLE_VALUE;
  if (search == INVALID_HANDLE_VALUE) return;
  constexpr ULONG shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  do {
    if (!IsHelperFolderName(found.cFileName)) continue;
    DWORD error = 0;
    const OwnedHandle folder = OpenInFolder(temp.Get(), found.cFileName, DELETE | FILE_READ_ATTRIBUTES | FILE_TRAVERSE,
                                            shareAll, FILE_OPEN, FILE_DIRECTORY_FILE, error);
    if (!folder || IsNameSurrogate(folder.Get())) continue;
    if (const OwnedHandle file = OpenInFolder(folder.Get(), SweeperFileName,
                                              DELETE | FILE_READ_ATTRIBUTES, shareAll, FILE_OPEN,
                                              FILE_NON_DIRECTORY_FILE, error))
      if (!IsNameSurrogate(file.Get())) MarkForDeletion(file.Get());
    MarkForDeletion(folder.Get());  // only an empty one goes
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
