#include "archive/ByteFile.h"  // before <windows.h>, whose CreateDirectory macro would rename ours

#include "InstallationFolder.h"

#include <windows.h>
#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

#include "ActionLog.h"
#include "archive/CodePage.h"
#include "archive/DestinationPath.h"
#include "archive/DirectoryAccess.h"
#include "archive/FinalPath.h"
#include "archive/NoFollowWin32.h"
#include "logic/FolderTrust.h"
#include "logic/UninstallPlan.h"

namespace {

std::string Narrow(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], length, nullptr, nullptr);
  text.resize(static_cast<size_t>(length - 1));
  return text;
}

// The folders Windows protects itself: Program Files and the Windows directory by their IDs,
// and the Program Files of both registry views, where Windows keeps them (a 32-bit program
// cannot ask for the 64-bit one by its ID).
std::vector<std::string> ProtectedFolders() {
  std::vector<std::string> folders;
  for (const KNOWNFOLDERID* id : {&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesX64,
                                  &FOLDERID_Windows}) {
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(*id, 0, nullptr, &path))) folders.push_back(Narrow(path));
    CoTaskMemFree(path);
  }
  for (const DWORD view : {RRF_SUBKEY_WOW6432KEY, RRF_SUBKEY_WOW6464KEY}) {
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                     RRF_RT_REG_SZ | view, nullptr, path, &size) == ERROR_SUCCESS)
      folders.push_back(path);
  }
  return folders;
}

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

// Owner and DACL as SDDL; empty when they cannot be read.
std::string SecurityText(HANDLE handle) {
  constexpr SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  PSECURITY_DESCRIPTOR security = nullptr;
  if (GetSecurityInfo(handle, SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr, &security) != ERROR_SUCCESS)
    return std::string();
  char* text = nullptr;
  std::string sddl;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(security, SDDL_REVISION_1, parts, &text, nullptr)) sddl = text;
  LocalFree(text);
  LocalFree(security);
  return sddl;
}

// Looks at the folders of the path and keeps every one it opened open and unrenamable, until
// the missing ones are made inside them.
class HeldFolders : public FolderInspector {
public:
  VolumeFacts Volume(const std::string& root) override {
    VolumeFacts facts;
    DWORD flags = 0;
    facts.Local = GetDriveTypeA(root.c_str()) == DRIVE_FIXED;
    facts.PersistentAcls = GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
                           (flags & FILE_PERSISTENT_ACLS);
    return facts;
  }

  std::optional<FolderFacts> Inspect(const std::string& folder) override {
    OwnedHandle handle(CreateFileA(folder.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES | FILE_TRAVERSE | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    FolderFacts facts;
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
      ++existing_;
      return facts;  // there, but it cannot be looked at: its permissions stay unread
    }
    ++existing_;
    FILE_ATTRIBUTE_TAG_INFO tag = {};
    facts.IsDirectory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.IsLink = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                   (!GetFileInformationByHandleEx(handle.Get(), FileAttributeTagInfo, &tag, sizeof tag) ||
                    IsReparseTagNameSurrogate(tag.ReparseTag));
    const std::string finalPath = FinalPathOf(handle.Get());
    facts.FinalPathMatches = SameFinalPath(finalPath.c_str(), folder.c_str()) ||
                             SameFinalPath(finalPath.c_str(), LongPath(folder).c_str());
    for (const std::string& known : protected_)
      facts.TrustedKnownFolder = facts.TrustedKnownFolder || SameFinalPath(finalPath.c_str(), known.c_str());
    facts.Sddl = SecurityText(handle.Get());
    held_.push_back(std::move(handle));
    return facts;
  }

  // The deepest folder found, opened, when the check accepted the path.
  HANDLE Deepest() const { return held_.empty() ? nullptr : held_.back().Get(); }
  size_t Existing() const { return existing_; }

private:
  const std::vector<std::string> protected_ = ProtectedFolders();
  std::vector<OwnedHandle> held_;
  size_t existing_ = 0;
};

// "DOMAIN\name" as the system spells the account, else its SID.
std::string AccountName(const std::string& sid) {
  PSID binary = nullptr;
  if (!ConvertStringSidToSidA(sid.c_str(), &binary)) return "an account Setup cannot name";
  char name[256], domain[256];
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use;
  std::string text = sid;
  if (LookupAccountSidA(nullptr, binary, name, &nameSize, domain, &domainSize, &use))
    text = domainSize > 0 ? std::string(domain) + "\\" + name : std::string(name);
  LocalFree(binary);
  return text;
}

}  // namespace

void ClaimInstallationDirectory(const std::string& installDir) {
  // A path no folder can have (no drive or share, a "?" for what an old code page lacks) is
  // said as such, before its folders are judged.
  CompleteDestination(installDir, PathStyle::Windows);
  HeldFolders folders;
  if (const std::optional<FolderRefusal> refusal = CheckInstallationFolder(installDir, folders))
    throw EUnsafeFolder(FolderRefusalText(installDir, *refusal, AccountName(refusal->Why.Account)));

  // The folders that do not exist yet, each made inside the one above it, by handle.
  const std::vector<std::string> levels = DestinationLevels(WithTrailingBackslash(installDir), PathStyle::Windows);
  const size_t existing = folders.Existing();
  if (existing >= levels.size()) return;
  OwnedHandle drive;
  HANDLE above = folders.Deepest();
  if (existing == 0) {
    std::string why;
    drive = OpenCheckedFolder(levels.front().substr(0, FindLastAscii(levels.front(), '\\') + 1), why);
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
