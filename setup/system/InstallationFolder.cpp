#include "archive/ByteFile.h"  // before <windows.h>, whose CreateDirectory macro would rename ours

#include "InstallationFolder.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "Account.h"
#include "ActionLog.h"
#include "HeldFolders.h"
#include "archive/CodePage.h"
#include "archive/DestinationPath.h"
#include "archive/DirectoryAccess.h"
#include "archive/FinalPath.h"
#include "archive/NoFollowWin32.h"
#include "logic/FolderTrust.h"

void ClaimInstallationDirectory(const InstallDirectory& installDir) {
  // A "?" for what an old code page lacks names no folder: said as such, before its folders
  // are judged.
  RefuseUnrepresentedCharacters(installDir.Path);
  HeldFolders folders;
  if (const std::optional<FolderRefusal> refusal = CheckInstallationFolder(installDir, folders))
    throw EUnsafeFolder(FolderRefusalText(installDir.Path, *refusal, AccountNameOf(refusal->Why.Account)));

  // The folders that do not exist yet, each made inside the one above it, by handle.
  const std::vector<std::string>& levels = installDir.Levels;
  const size_t existing = folders.Existing();
  if (existing >= levels.size()) return;
  OwnedHandle drive;
  HANDLE above = folders.Deepest();
  if (existing == 0) {
    std::string why;
    drive = OpenCheckedFolder(installDir.Root, why);
    if (!drive) throw EFileError("Cannot create directory", levels.front(), why);
    above = drive.Get();
  }
  PSECURITY_DESCRIPTOR security = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(ProtectedDirectorySddl(), SDDL_REVISION_1, &security,
                                                            nullptr))
    throw EFileError("Cannot create directory", levels.front(), SystemErrorText(GetLastError()));
  std::vector<OwnedHandle> made;
  for (size_t i = existing; i < levels.size(); ++i) {
    DWORD error = 0;
    made.push_back(CreateInFolder(above, levels[i].substr(FindLastAscii(levels[i], '\\') + 1),
                                  FILE_READ_ATTRIBUTES | FILE_TRAVERSE, true, security, error));
    if (!made.back()) {
      LocalFree(security);
      throw EFileError("Cannot create directory", levels[i], SystemErrorText(error));
    }
    LogAction("Directory created: " + levels[i]);
    above = made.back().Get();
  }
  LocalFree(security);
}
