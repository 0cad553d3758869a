#include "LevelOpenWin32.h"

#include <winternl.h>

namespace {

constexpr ULONG DontReparse = 0x1000;           // OBJ_DONT_REPARSE
constexpr LONG InvalidParameter = 0xC000000D;   // STATUS_INVALID_PARAMETER
constexpr ULONG OpenReparsePoint = 0x00200000;  // FILE_OPEN_REPARSE_POINT
constexpr ULONG SynchronousIo = 0x00000020;     // FILE_SYNCHRONOUS_IO_NONALERT
constexpr ULONG DirectoryFile = 0x00000001;     // FILE_DIRECTORY_FILE
constexpr ULONG OpenExisting = 1;               // FILE_OPEN

using NtCreateFileCall = LONG(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER,
                                      ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using RtlNtStatusToDosErrorCall = ULONG(NTAPI*)(LONG);

// Windows before 10 1709 refuse the attribute as a bad parameter; learnt at the first open.
ULONG dontReparse = DontReparse;

FARPROC FromNtdll(const char* name) { return GetProcAddress(GetModuleHandleA("ntdll.dll"), name); }

DWORD ErrorOf(LONG status) {
  const auto convert = reinterpret_cast<RtlNtStatusToDosErrorCall>(reinterpret_cast<void*>(
      FromNtdll("RtlNtStatusToDosError")));
  return convert ? convert(status) : ERROR_GEN_FAILURE;
}

// Where the root of a full path ends: after "C:\" or "\\server\share\"; 0 for any other form.
unsigned RootLength(const wchar_t* path) {
  const auto letter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
  if (letter(path[0]) && path[1] == L':' && path[2] == L'\\') return 3;
  if (path[0] != L'\\' || path[1] != L'\\') return 0;
  unsigned at = 2;
  for (int part = 0; part < 2; ++part) {
    const unsigned start = at;
    while (path[at] != L'\0' && path[at] != L'\\') {
      // "\\.\" and "\\?\" name devices, and a colon no server.
      if (path[at] == L':' || path[at] == L'?' || (part == 0 && path[at] == L'.' && at == 2 && path[3] == L'\\'))
        return 0;
      ++at;
    }
    if (at == start || path[at] != L'\\') return 0;
    ++at;
  }
  return at;
}

DWORD OpenRoot(const wchar_t* path, unsigned rootLength, ACCESS_MASK access, HANDLE* handle) {
  wchar_t* root = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (rootLength + 1) * sizeof(wchar_t)));
  if (!root) return ERROR_NOT_ENOUGH_MEMORY;
  for (unsigned i = 0; i < rootLength; ++i) root[i] = path[i];
  root[rootLength] = L'\0';
  *handle = CreateFileW(root, access | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_BACKUP_SEMANTICS | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
  const DWORD error = *handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  HeapFree(GetProcessHeap(), 0, root);
  return error;
}

}  // namespace

DWORD OpenRelative(HANDLE folder, const wchar_t* name, unsigned length, ACCESS_MASK access, ULONG share,
                   ULONG disposition, ULONG options, PSECURITY_DESCRIPTOR security, HANDLE* handle) {
  *handle = INVALID_HANDLE_VALUE;
  const auto create = reinterpret_cast<NtCreateFileCall>(reinterpret_cast<void*>(FromNtdll("NtCreateFile")));
  if (!create) return ERROR_CALL_NOT_IMPLEMENTED;
  if (length == 0 || length > 32767) return ERROR_INVALID_NAME;
  for (unsigned i = 0; i < length; ++i)
    if (name[i] == L'\\' || name[i] == L'/') return ERROR_INVALID_NAME;
  UNICODE_STRING unicode;
  unicode.Buffer = const_cast<wchar_t*>(name);
  unicode.Length = static_cast<USHORT>(length * sizeof(wchar_t));
  unicode.MaximumLength = unicode.Length;
  SECURITY_QUALITY_OF_SERVICE quality;
  quality.Length = sizeof quality;
  quality.ImpersonationLevel = SecurityIdentification;
  quality.ContextTrackingMode = SECURITY_STATIC_TRACKING;
  quality.EffectiveOnly = TRUE;
  OBJECT_ATTRIBUTES attributes;
  attributes.Length = sizeof attributes;
  attributes.RootDirectory = folder;
  attributes.ObjectName = &unicode;
  attributes.SecurityDescriptor = security;
  attributes.SecurityQualityOfService = &quality;
  IO_STATUS_BLOCK io;
  HANDLE opened = nullptr;
  LONG status;
  do {
    attributes.Attributes = OBJ_CASE_INSENSITIVE | dontReparse;
    status = create(&opened, access | SYNCHRONIZE, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, share,
                    disposition, options | OpenReparsePoint | SynchronousIo, nullptr, 0);
    if (status != InvalidParameter || dontReparse == 0) break;
    dontReparse = 0;  // a system that does not know it; tried once more without
  } while (true);
  if (status < 0) return ErrorOf(status);
  *handle = opened;
  return 0;
}

bool IsNameSurrogate(HANDLE handle) {
  FILE_ATTRIBUTE_TAG_INFO tag;
  if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag)) return true;
  return (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(tag.ReparseTag);
}

DWORD OpenByLevels(const wchar_t* path, ACCESS_MASK access, ULONG share, ULONG options, HANDLE* handle) {
  *handle = INVALID_HANDLE_VALUE;
  const unsigned rootLength = RootLength(path);
  if (rootLength == 0) return ERROR_BAD_PATHNAME;
  unsigned end = rootLength;
  while (path[end] != L'\0') ++end;
  while (end > rootLength && path[end - 1] == L'\\') --end;
  if (end == rootLength) return OpenRoot(path, rootLength, access, handle);
  HANDLE above = INVALID_HANDLE_VALUE;
  DWORD error = OpenRoot(path, rootLength, FILE_TRAVERSE | FILE_READ_ATTRIBUTES, &above);
  unsigned at = rootLength;
  while (error == 0) {
    while (path[at] == L'\\') ++at;  // an empty level of "\\" names none
    unsigned stop = at;
    while (stop < end && path[stop] != L'\\') ++stop;
    const bool last = stop == end;
    HANDLE level = INVALID_HANDLE_VALUE;
    error = last ? OpenRelative(above, path + at, stop - at, access, share, OpenExisting, options, nullptr, &level)
                 : OpenRelative(above, path + at, stop - at, FILE_TRAVERSE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, OpenExisting, DirectoryFile, nullptr, &level);
    CloseHandle(above);
    above = level;
    if (error == 0 && !last && IsNameSurrogate(level)) error = ThroughLinkError;
    if (error == 0 && last) {
      *handle = level;
      return 0;
    }
    at = stop;
  }
  if (above != INVALID_HANDLE_VALUE) CloseHandle(above);
  return error;
}
