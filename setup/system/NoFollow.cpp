#include "NoFollow.h"

#include "archive/CodePage.h"
#include "archive/LevelOpenWin32.h"
#include "archive/PathFormsWin32.h"
#include "archive/WideText.h"

#include <winternl.h>

#include <stdexcept>
#include <vector>

namespace {

bool SingleName(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileInformationByHandle(file, &info) && info.nNumberOfLinks == 1;
}

}  // namespace

LevelFacts HeldLevels::Open(const std::string& level) {
  // Relative to the level above, held since: the path is never looked up by name again.
  HeldLevel held = OpenHeldLevel(Deepest(), level, 0);
  LevelFacts facts;
  if (!held.Handle) {
    // Only a level that is truly absent counts as missing; any other refusal is no safe path.
    facts.Kind = (held.Error == ERROR_FILE_NOT_FOUND || held.Error == ERROR_PATH_NOT_FOUND) ? LevelKind::Missing
                                                                                            : LevelKind::ReparsePoint;
    return facts;
  }
  // Junctions and symbolic links name another place; other reparse points (a OneDrive folder's
  // cloud files) are the folder itself and hold the user's Desktop often.
  facts.Kind = held.IsLink                                          ? LevelKind::ReparsePoint
               : (held.Attributes & FILE_ATTRIBUTE_DIRECTORY) ? LevelKind::Directory
                                                              : LevelKind::File;
  facts.FinalPath = std::move(held.FinalPath);
  held_.push_back(std::move(held.Handle));
  return facts;
}

OwnedHandle OpenPlainFile(const std::string& path, DWORD access, DWORD share, std::string* why) {
  const std::string full = FullPath(path);
  HANDLE opened = INVALID_HANDLE_VALUE;
  const DWORD error = full.empty() ? ERROR_BAD_PATHNAME
                                   : OpenByLevels(WideText(full).c_str(), access | FILE_READ_ATTRIBUTES, share,
                                                  FILE_NON_DIRECTORY_FILE, &opened);
  if (error != 0) {
    if (why) *why = OpenErrorText(error);
    return OwnedHandle();
  }
  OwnedHandle handle(opened);
  BY_HANDLE_FILE_INFORMATION info;
  const std::string finalPath = FinalPathOf(handle.Get());
  // Wine follows a link in a path's last level all the same: the final path tells.
  if (!GetFileInformationByHandle(handle.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
      !(SameFinalPath(finalPath, full) || SameFinalPath(finalPath, LongPath(full)))) {
    if (why) *why = OpenErrorText(ThroughLinkError);
    return OwnedHandle();
  }
  return handle;
}

bool RemainsWithoutFollowing(const std::string& path) {
  const std::string full = FullPath(path);
  HANDLE opened = INVALID_HANDLE_VALUE;
  const DWORD error =
      full.empty() ? ERROR_BAD_PATHNAME
                   : OpenByLevels(WideText(full).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, &opened);
  if (opened != INVALID_HANDLE_VALUE) CloseHandle(opened);
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

void SaveInHeldFolder(const HeldLevels& levels, const std::string& folder, const std::string& name,
                      const std::vector<uint8_t>& bytes) {
  const std::string fresh = UnforeseeableName("Quillmark-", ".tmp");
  DWORD error = 0;
  const OwnedHandle file =
      CreateInFolder(levels.Deepest(), fresh, GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES, false, nullptr, error);
  DWORD written = 0;
  std::string why;
  if (!file)
    why = SystemErrorText(error);
  else if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    why = SystemErrorText(GetLastError());
  else if (written != bytes.size())
    why = SystemErrorText(ERROR_HANDLE_DISK_FULL);
  else if (!SingleName(file.Get()) || !SameFinalPath(FinalPathOf(file.Get()), folder + fresh))
    why = "the file made there has a second name, or lies elsewhere";
  else if (PutInPlace(file.Get(), levels.Deepest(), folder, name, why))
    return;
  if (file) MarkForDeletion(file.Get());
  throw std::runtime_error("Cannot save " + folder + name + ": " + why);
}

void CopyWithoutFollowing(HANDLE source, const std::string& to) {
  const auto failed = [&](const std::string& why) { return std::runtime_error("Cannot copy to " + to + ": " + why); };
  FILETIME written;
  LARGE_INTEGER start = {};
  if (!GetFileTime(source, nullptr, nullptr, &written) || !SetFilePointerEx(source, start, nullptr, FILE_BEGIN))
    throw failed(SystemErrorText(GetLastError()));
  // A read-only copy (from a CD) is made writable by handle, so that it can be replaced.
  if (const OwnedHandle old = OpenPlainFile(to, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_DELETE)) {
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(old.Get(), FileBasicInfo, &basic, sizeof basic);  // if not, the replacing says why
  }
  std::string why;
  const OwnedHandle target = CreateFileInPlace(to, why);
  if (!target) throw failed(why);
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD read = 0, put = 0;
    if (!ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
      throw failed(SystemErrorText(GetLastError()));
    if (read == 0) break;
    if (!WriteFile(target.Get(), buffer.data(), read, &put, nullptr)) throw failed(SystemErrorText(GetLastError()));
    if (put != read) throw failed(SystemErrorText(ERROR_HANDLE_DISK_FULL));
  }
  if (!SetFileTime(target.Get(), nullptr, nullptr, &written)) throw failed(SystemErrorText(GetLastError()));
}
