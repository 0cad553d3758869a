// The file seam on Windows: Win32 handles through the ANSI calls.
#include "ByteFile.h"  // before <windows.h>, whose CreateDirectory macro would rename ours

#include <windows.h>
#include <sddl.h>

#include "DirectoryAccess.h"
#include "NoFollowWin32.h"
#undef CreateDirectory

namespace {

std::string SystemText(DWORD code = GetLastError()) { return SystemErrorText(code); }

}  // namespace

ByteFile::~ByteFile() { Close(); }

void ByteFile::Open(const std::string& path, Mode mode) {
  Close();
  if (mode == Mode::Create) {
    // The folder may be a user's (an IDE folder): no link of that name is followed and no hard
    // link written through (NoFollowWin32.h).
    std::string why;
    OwnedHandle file = CreateFileInPlace(path, why);
    if (!file) throw EFileError("Cannot create file", path, why);
    handle_ = file.Release();
    path_ = path;
    return;
  }
  // Read shares reading so that the running program's own file and read-only media open.
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw EFileError("Cannot open file", path, SystemText());
  handle_ = handle;
  path_ = path;
}

void ByteFile::Adopt(void* handle, const std::string& path) {
  Close();
  handle_ = handle;
  path_ = path;
}

void ByteFile::Close() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

bool ByteFile::IsOpen() const { return handle_ != nullptr; }

uint32_t ByteFile::Read(void* buffer, uint32_t count) {
  DWORD got = 0;
  if (!ReadFile(static_cast<HANDLE>(handle_), buffer, count, &got, nullptr))
    throw EFileError("Cannot read file", path_, SystemText());
  return got;
}

uint32_t ByteFile::Write(const void* buffer, uint32_t count) {
  DWORD put = 0;
  // A failed or short write is the caller's to judge (a full disk shows in its CRC).
  WriteFile(static_cast<HANDLE>(handle_), buffer, count, &put, nullptr);
  return put;
}

void ByteFile::Seek(int64_t position) {
  LARGE_INTEGER target;
  target.QuadPart = position;
  if (position < 0) throw EFileError("Cannot seek in file", path_, SystemText(ERROR_NEGATIVE_SEEK));
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), target, nullptr, FILE_BEGIN))
    throw EFileError("Cannot seek in file", path_, SystemText());
}

int64_t ByteFile::Position() const {
  LARGE_INTEGER zero, position;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), zero, &position, FILE_CURRENT)) return -1;
  return position.QuadPart;
}

bool ByteFile::SetDosTime(uint32_t dosDateTime) {
  FILETIME local, utc;
  return DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF),
                               &local) &&
         LocalFileTimeToFileTime(&local, &utc) &&
         SetFileTime(static_cast<HANDLE>(handle_), nullptr, nullptr, &utc);
}

int64_t ByteFile::Size() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(static_cast<HANDLE>(handle_), &size))
    throw EFileError("Cannot examine file", path_, SystemText());
  return size.QuadPart;
}

namespace FileSystem {

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CreateDirectory(const std::string& path, DirectoryAccess access) {
  // Made inside its parent by handle: a parent reached through a link is refused.
  std::string why;
  const OwnedHandle parent = OpenCheckedFolder(FolderOf(path), why);
  if (!parent) throw EFileError("Cannot create directory", path, why);
  PSECURITY_DESCRIPTOR security = nullptr;
  if (access == DirectoryAccess::Protected &&
      !ConvertStringSecurityDescriptorToSecurityDescriptorA(ProtectedDirectorySddl(), SDDL_REVISION_1, &security,
                                                            nullptr))
    throw EFileError("Cannot create directory", path, SystemText());
  DWORD error = 0;
  const OwnedHandle created = CreateInFolder(parent.Get(), path.substr(FolderOf(path).size()), FILE_READ_ATTRIBUTES,
                                             true, security, error);
  LocalFree(security);
  if (!created) throw EFileError("Cannot create directory", path, SystemText(error));
}

uint32_t GetFileDosTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    throw EFileError("Cannot examine file", path, SystemText());
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &date, &time))
    return 0x00210000;  // outside the DOS range: 1980-01-01 00:00:00
  return static_cast<uint32_t>(date) << 16 | time;
}

int64_t GetFileUnixTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    throw EFileError("Cannot examine file", path, SystemText());
  // 100-nanosecond ticks since 1601-01-01, whole seconds rounded towards the past.
  const int64_t ticks = static_cast<int64_t>(static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                                             data.ftLastWriteTime.dwLowDateTime);
  const int64_t since1601 = ticks / 10000000;
  return since1601 - 11644473600;
}

}  // namespace FileSystem
