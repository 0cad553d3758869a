#include "HeldFolders.h"

#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include "archive/FinalPath.h"
#include "archive/LevelOpenWin32.h"
#include "archive/PathFormsWin32.h"
#include "ProgramFilesDir.h"

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
  for (const ProgramFilesView view : {ProgramFilesView::Bits32, ProgramFilesView::Bits64})
    if (const std::optional<std::string> path = ProgramFilesDir(view)) folders.push_back(*path);
  return folders;
}

}  // namespace

std::string SecurityTextOf(HANDLE handle) {
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

HeldFolders::HeldFolders() : protected_(ProtectedFolders()) {}

VolumeFacts HeldFolders::Volume(const std::string& root) {
  VolumeFacts facts;
  DWORD flags = 0;
  facts.Local = GetDriveTypeA(root.c_str()) == DRIVE_FIXED;
  facts.PersistentAcls = GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
                         (flags & FILE_PERSISTENT_ACLS);
  return facts;
}

std::optional<FolderFacts> HeldFolders::Inspect(const std::string& folder) {
  // Relative to the folder above while that is held; from the root, level by level, otherwise.
  HeldLevel held = OpenHeldLevel(aboveHeld_ ? Deepest() : nullptr, folder, READ_CONTROL | FILE_TRAVERSE);
  FolderFacts facts;
  if (!held.Handle) {
    if (held.Error == ERROR_FILE_NOT_FOUND || held.Error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    ++existing_;
    aboveHeld_ = false;
    // There, but it cannot be looked at: its permissions stay unread. A link on the way, or a
    // file, is said as such.
    facts.IsLink = held.Error == ThroughLinkError;
    facts.IsDirectory = held.Error != ERROR_DIRECTORY;
    return facts;
  }
  ++existing_;
  facts.IsDirectory = (held.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts.IsLink = held.IsLink;
  const std::string& finalPath = held.FinalPath;
  facts.FinalPathMatches = SameFinalPath(finalPath.c_str(), folder.c_str()) ||
                           SameFinalPath(finalPath.c_str(), LongPath(folder).c_str());
  for (const std::string& known : protected_)
    facts.TrustedKnownFolder = facts.TrustedKnownFolder || SameFinalPath(finalPath.c_str(), known.c_str());
  facts.Sddl = SecurityTextOf(held.Handle.Get());
  held_.push_back(std::move(held.Handle));
  aboveHeld_ = true;
  return facts;
}
