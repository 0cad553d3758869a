#include "NoFollowWin32.h"

#include <winternl.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "CodePage.h"
#include "FinalPath.h"
#include "HexText.h"
#include "LevelOpenWin32.h"
#include "PathFormsWin32.h"
#include "WideText.h"

namespace {

const char ThroughALink[] = "It lies behind a junction or symbolic link";

// ntdll is always loaded; looked up so that the programs import only what they must.
template <class Function>
Function FromNtdll(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

using NtSetInformationFileCall = LONG(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);
using RtlNtStatusToDosErrorCall = ULONG(NTAPI*)(LONG);
using RtlGenRandomCall = BOOLEAN(WINAPI*)(PVOID, ULONG);

DWORD ErrorOf(LONG status) {
  const auto convert = FromNtdll<RtlNtStatusToDosErrorCall>("RtlNtStatusToDosError");
  return convert ? convert(status) : ERROR_GEN_FAILURE;
}

std::string Folder(const std::string& path) { return path.substr(0, FindLastAscii(path, '\\') + 1); }

std::string LastLevel(const std::string& path) {
  std::string level = path;
  while (level.size() > 1 && level.back() == '\\') level.pop_back();
  return level.substr(FindLastAscii(level, '\\') + 1);
}

bool Names(HANDLE handle, const std::string& path) {
  const std::string finalPath = FinalPathOf(handle);
  return SameFinalPath(finalPath.c_str(), path.c_str()) || SameFinalPath(finalPath.c_str(), LongPath(path).c_str());
}

}  // namespace

OwnedHandle::~OwnedHandle() {
  if (*this) CloseHandle(handle_);
}

OwnedHandle& OwnedHandle::operator=(OwnedHandle&& other) noexcept {
  if (this != &other) {
    if (*this) CloseHandle(handle_);
    handle_ = other.Release();
  }
  return *this;
}

HANDLE OwnedHandle::Release() {
  const HANDLE handle = handle_;
  handle_ = INVALID_HANDLE_VALUE;
  return handle;
}

std::string FinalPathOf(HANDLE handle) {
  std::string path(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(handle, &path[0], static_cast<DWORD>(path.size()), 0);
  if (length >= path.size()) {
    path.resize(length + 1);  // Wine counts no zero here
    length = GetFinalPathNameByHandleA(handle, &path[0], static_cast<DWORD>(path.size()), 0);
  }
  if (length == 0 || length >= path.size()) return std::string();
  path.resize(length);
  return path;
}

void RandomBytes(uint8_t (&random)[16]) {
  // Looked up, not imported: advapi32 forwards it to cryptbase.dll, no Known DLL, which Windows
  // before 10 1607 would look for beside the program while loading it. By now the library
  // search is restricted to the system directory.
  static const auto generate = [] {
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    if (!advapi) advapi = LoadLibraryExA("advapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return reinterpret_cast<RtlGenRandomCall>(
        reinterpret_cast<void*>(advapi ? GetProcAddress(advapi, "SystemFunction036") : nullptr));
  }();
  if (!generate || !generate(random, sizeof random)) throw std::runtime_error("No random numbers for a private name");
}

std::string UnforeseeableName(const std::string& prefix, const std::string& suffix) {
  uint8_t random[16];
  RandomBytes(random);
  return prefix + HexText(random) + suffix;
}

bool MarkForDeletion(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length ? std::string(text, length) : "System error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result;
}

std::string OpenErrorText(DWORD code) { return code == ThroughLinkError ? ThroughALink : SystemErrorText(code); }

OwnedHandle OpenInFolder(HANDLE folder, const std::string& name, ACCESS_MASK access, ULONG share, ULONG disposition,
                         ULONG options, DWORD& error, PSECURITY_DESCRIPTOR security) {
  const std::wstring wide = WideText(name);
  HANDLE handle = INVALID_HANDLE_VALUE;
  error = OpenRelative(folder, wide.c_str(), static_cast<unsigned>(wide.size()), access, share, disposition, options,
                       security, &handle);
  return OwnedHandle(handle);
}

HeldLevel OpenHeldLevel(HANDLE above, const std::string& level, ACCESS_MASK access) {
  // No FILE_SHARE_DELETE: while it is held, the folder cannot be renamed or replaced.
  constexpr ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HeldLevel held;
  if (above != nullptr && above != INVALID_HANDLE_VALUE) {
    held.Handle = OpenInFolder(above, LastLevel(level), access | FILE_READ_ATTRIBUTES, share, FILE_OPEN,
                               FILE_DIRECTORY_FILE, held.Error);
  } else {
    const std::wstring wide = WideText(FullPath(level));
    HANDLE handle = INVALID_HANDLE_VALUE;
    held.Error = OpenByLevels(wide.c_str(), access | FILE_READ_ATTRIBUTES, share, FILE_DIRECTORY_FILE, &handle);
    held.Handle = OwnedHandle(handle);
  }
  if (!held.Handle) return held;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(held.Handle.Get(), &info)) {
    held.Error = GetLastError();
    held.Handle = OwnedHandle();
    return held;
  }
  held.Attributes = info.dwFileAttributes;
  held.IsLink = IsNameSurrogate(held.Handle.Get());
  held.FinalPath = FinalPathOf(held.Handle.Get());
  return held;
}

OwnedHandle OpenCheckedFolder(const std::string& folder, std::string& why) {
  HeldLevel held = OpenHeldLevel(nullptr, folder, FILE_TRAVERSE);
  if (!held.Handle) {
    why = OpenErrorText(held.Error);
    return OwnedHandle();
  }
  // Any reparse point, not only a link: a folder that is checked needs to be a plain one.
  if (!(held.Attributes & FILE_ATTRIBUTE_DIRECTORY) || (held.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      !Names(held.Handle.Get(), folder)) {
    why = ThroughALink;
    return OwnedHandle();
  }
  return std::move(held.Handle);
}

OwnedHandle CreateInFolder(HANDLE folder, const std::string& name, ACCESS_MASK access, bool directory,
                           PSECURITY_DESCRIPTOR security, DWORD& error) {
  return OpenInFolder(folder, name, access, 0, FILE_CREATE, directory ? FILE_DIRECTORY_FILE : FILE_NON_DIRECTORY_FILE,
                      error, security);
}

bool PutInPlace(HANDLE file, HANDLE folder, const std::string& folderPath, const std::string& name, std::string& why) {
  DWORD error = 0;
  const std::string path = folderPath + (folderPath.empty() || folderPath.back() != '\\' ? "\\" : "") + name;
  {
    const OwnedHandle existing =
        OpenInFolder(folder, name, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     FILE_OPEN, FILE_NON_DIRECTORY_FILE, error);
    // Where a link is followed all the same (Wine follows a file symlink), the handle names its
    // target: that is left alone, and the rename below replaces the link itself.
    if (existing && Names(existing.Get(), path) && !MarkForDeletion(existing.Get())) {
      why = SystemErrorText(GetLastError());
      return false;
    }
  }
  const auto setInformation = FromNtdll<NtSetInformationFileCall>("NtSetInformationFile");
  const std::wstring wide = WideText(name);
  if (!setInformation || wide.empty()) {
    why = SystemErrorText(ERROR_INVALID_NAME);
    return false;
  }
  // The name relative to the folder's handle: the kernel looks up no path of ours again.
  std::vector<uint8_t> buffer(sizeof(FILE_RENAME_INFORMATION) + wide.size() * sizeof(wchar_t));
  auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = folder;
  rename->FileNameLength = static_cast<ULONG>(wide.size() * sizeof(wchar_t));
  CopyMemory(rename->FileName, wide.data(), rename->FileNameLength);
  IO_STATUS_BLOCK io;
  const LONG status = setInformation(file, &io, rename, static_cast<ULONG>(buffer.size()), FileRenameInformation);
  if (status < 0) {
    why = SystemErrorText(ErrorOf(status));
    return false;
  }
  return true;
}

OwnedHandle CreateFileInPlace(const std::string& path, std::string& why) {
  const std::string full = FullPath(path);
  const std::string folderPath = Folder(full);
  const std::string name = full.substr(folderPath.size());
  const OwnedHandle folder = OpenCheckedFolder(folderPath, why);
  if (!folder) return OwnedHandle();
  const std::string fresh = UnforeseeableName("QmNew-", ".tmp");
  DWORD error = 0;
  OwnedHandle file = CreateInFolder(folder.Get(), fresh, GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES, false,
                                    nullptr, error);
  if (!file) {
    why = SystemErrorText(error);
    return file;
  }
  BY_HANDLE_FILE_INFORMATION info;
  const bool ours = GetFileInformationByHandle(file.Get(), &info) && info.nNumberOfLinks == 1 &&
                    Names(file.Get(), folderPath + fresh);
  if (!ours) why = ThroughALink;
  if (!ours || !PutInPlace(file.Get(), folder.Get(), folderPath, name, why)) {
    MarkForDeletion(file.Get());
    return OwnedHandle();
  }
  return file;
}
