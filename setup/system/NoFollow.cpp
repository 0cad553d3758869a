#include "NoFollow.h"

#include "archive/CodePage.h"

#include <stdexcept>
#include <vector>

namespace {
constexpr DWORD NoFollowFlags = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

// Junctions and symbolic links name another place; other reparse points (a OneDrive folder's
// cloud files, deduplicated files) are the folder itself and hold the user's Desktop often.
bool IsLink(HANDLE handle, DWORD attributes) {
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  FILE_ATTRIBUTE_TAG_INFO tag = {};
  return !GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) ||
         IsReparseTagNameSurrogate(tag.ReparseTag);
}

bool SingleName(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileInformationByHandle(file, &info) && info.nNumberOfLinks == 1;
}

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// A plain file with one name whose handle names path, or an invalid handle.
OwnedHandle Checked(OwnedHandle file, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !GetFileInformationByHandle(file.Get(), &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
      info.nNumberOfLinks != 1 || !SameFinalPath(FinalPathOf(file.Get()), path))
    return OwnedHandle();
  return file;
}
}  // namespace

LevelFacts HeldLevels::Open(const std::string& level) {
  // No FILE_SHARE_DELETE: while it is held, the level cannot be renamed or replaced.
  OwnedHandle handle(CreateFileA(level.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, NoFollowFlags, nullptr));
  LevelFacts facts;
  BY_HANDLE_FILE_INFORMATION info;
  if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) {
    const DWORD error = GetLastError();
    // Only a level that is truly absent counts as missing; any other refusal is no safe path.
    facts.Kind = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? LevelKind::Missing
                                                                                  : LevelKind::ReparsePoint;
    return facts;
  }
  facts.Kind = IsLink(handle.Get(), info.dwFileAttributes)             ? LevelKind::ReparsePoint
               : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? LevelKind::Directory
                                                                    : LevelKind::File;
  facts.FinalPath = FinalPathOf(handle.Get());
  held_.push_back(std::move(handle));
  return facts;
}

OwnedHandle OpenPlainFile(const std::string& path, DWORD access, DWORD share) {
  OwnedHandle handle(
      CreateFileA(path.c_str(), access | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, NoFollowFlags, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!handle || !GetFileInformationByHandle(handle.Get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !SameFinalPath(FinalPathOf(handle.Get()), path))
    return OwnedHandle();
  return handle;
}

void SaveInHeldFolder(const HeldLevels& levels, const std::string& folder, const std::string& name,
                      const std::function<void(const std::string& path)>& save) {
  const std::string fresh = folder + UnforeseeableName("Quillmark-", ".tmp");
  save(fresh);
  const OwnedHandle file = OpenPlainFile(fresh, DELETE, FILE_SHARE_READ);
  std::string why;
  if (file && SingleName(file.Get()) && PutInPlace(file.Get(), levels.Deepest(), folder, name, why)) return;
  if (file) MarkForDeletion(file.Get());
  throw std::runtime_error("Cannot save " + folder + name);
}

bool CopyWithoutFollowing(HANDLE source, const std::string& to) {
  FILETIME written;
  LARGE_INTEGER start = {};
  if (!GetFileTime(source, nullptr, nullptr, &written) || !SetFilePointerEx(source, start, nullptr, FILE_BEGIN))
    return false;
  // A read-only copy (from a CD) is made writable by handle, so that it can be replaced.
  if (const OwnedHandle old = OpenPlainFile(to, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_DELETE)) {
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(old.Get(), FileBasicInfo, &basic, sizeof basic);
  }
  std::string why;
  const OwnedHandle target = CreateFileInPlace(to, why);
  if (!target) return false;
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD read = 0, put = 0;
    if (!ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return false;
    if (read == 0) break;
    if (!WriteFile(target.Get(), buffer.data(), read, &put, nullptr) || put != read) return false;
  }
  return SetFileTime(target.Get(), nullptr, nullptr, &written) != FALSE;
}

OwnedHandle OpenForAppending(const std::string& path) {
  const std::string full = FullPath(path);
  HeldLevels levels;
  if (full.empty() || CheckFolder(full.substr(0, FindLastAscii(full, '\\') + 1), levels) != FolderCheck::Safe)
    return OwnedHandle();
  constexpr DWORD access = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
  // An existing file is opened, never created through: a dangling link of that name would make
  // its target. Then a new one, which fails where any name (a link too) is in the way.
  OwnedHandle file(CreateFileA(full.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file && GetLastError() == ERROR_FILE_NOT_FOUND)
    file = OwnedHandle(CreateFileA(full.c_str(), access, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return Checked(std::move(file), full);
}
