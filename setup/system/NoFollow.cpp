#include "NoFollow.h"

#include <ntsecapi.h>

#include <stdexcept>

#include "archive/CodePage.h"

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

std::string Folder(const std::string& path) { return path.substr(0, FindLastAscii(path, '\\') + 1); }
}  // namespace

OwnedHandle::~OwnedHandle() {
  if (*this) CloseHandle(handle_);
}

std::string FinalPathOf(HANDLE handle) {
  std::string path(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(handle, path.data(), static_cast<DWORD>(path.size()), 0);
  if (length >= path.size()) {
    path.resize(length);
    length = GetFinalPathNameByHandleA(handle, path.data(), static_cast<DWORD>(path.size()), 0);
  }
  if (length == 0 || length >= path.size()) return std::string();
  path.resize(length);
  return path;
}

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

bool DeleteWithoutFollowing(const std::string& path) {
  HeldLevels levels;
  if (CheckFolder(Folder(path), levels) != FolderCheck::Safe) return false;
  // A symbolic link named like the file is itself the file here: it goes, its target stays.
  const OwnedHandle file = OpenPlainFile(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  if (!file) return false;
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

void RandomBytes(uint8_t (&random)[16]) {
  if (!RtlGenRandom(random, sizeof random)) throw std::runtime_error("No random numbers for a private name");
}

std::string UnforeseeableName(const std::string& prefix, const std::string& suffix) {
  uint8_t random[16];
  RandomBytes(random);
  return prefix + HexText(random) + suffix;
}

bool RenameOpenFile(HANDLE file, const std::string& newPath) {
  // The kernel takes the new name as a full NT path.
  const std::string ntPath = "\\??\\" + newPath;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ntPath.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return false;
  std::vector<uint8_t> buffer(sizeof(FILE_RENAME_INFO) + sizeof(wchar_t) * wideLength);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(sizeof(wchar_t) * (wideLength - 1));
  MultiByteToWideChar(CP_ACP, 0, ntPath.c_str(), -1, rename->FileName, wideLength);
  return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}
