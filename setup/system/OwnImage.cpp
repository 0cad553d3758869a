#include "OwnImage.h"

#include <psapi.h>
#include <winternl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "archive/LevelOpenWin32.h"
#include "archive/NoFollowWin32.h"

namespace {

OwnedHandle held;
std::string whyNotHeld = "Setup has not opened its own file";

// Asks a call that fills a wide buffer again, with more room, until the answer fits.
template <typename Fill>
std::wstring GrowingText(Fill fill) {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::wstring();
    if (length < buffer.size() - 1) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// Where the image was mapped from, and where the handle leads, in the same form: Windows names
// both by device ("\Device\HarddiskVolume3\..."); Wine names the mapping by drive ("\??\C:\...").
bool SameFileAsImage(HANDLE file) {
  const std::wstring mapped = GrowingText([](wchar_t* text, DWORD size) {
    return K32GetMappedFileNameW(GetCurrentProcess(), GetModuleHandleW(nullptr), text, size);
  });
  const bool byDrive = mapped.rfind(L"\\??\\", 0) == 0;
  std::wstring opened = GrowingText([&](wchar_t* text, DWORD size) {
    return GetFinalPathNameByHandleW(file, text, size, FILE_NAME_NORMALIZED | (byDrive ? VOLUME_NAME_DOS : VOLUME_NAME_NT));
  });
  if (byDrive && opened.rfind(L"\\\\?\\", 0) == 0) opened.replace(0, 4, L"\\??\\");
  return !mapped.empty() && CompareStringOrdinal(mapped.c_str(), -1, opened.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A path as the level-by-level open takes it: "\\?\C:\..." as "C:\...", "\\?\UNC\..." as "\\...".
std::wstring WithoutLongPrefix(std::wstring path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return path.replace(0, 8, L"\\\\");
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

}  // namespace

void HoldOwnImage() {
  const std::wstring path =
      WithoutLongPrefix(GrowingText([](wchar_t* text, DWORD size) { return GetModuleFileNameW(nullptr, text, size); }));
  // Level by level, no link followed (the download folder is the user's), and shared for
  // reading only: from here on no one can write, rename or delete the file.
  HANDLE opened = INVALID_HANDLE_VALUE;
  const DWORD error =
      path.empty() ? ERROR_BAD_PATHNAME
                   : OpenByLevels(path.c_str(), GENERIC_READ, FILE_SHARE_READ, FILE_NON_DIRECTORY_FILE, &opened);
  OwnedHandle file(opened);
  if (error != 0) {
    whyNotHeld = "Setup cannot open its own file: " + OpenErrorText(error);
    return;
  }
  if (!SameFileAsImage(file.Get())) {
    whyNotHeld = "Setup's own file was renamed or replaced while it started; start Setup again";
    return;
  }
  held = std::move(file);
}

HANDLE OwnImageFile() {
  if (!held) throw std::runtime_error(whyNotHeld);
  return held.Get();
}

int64_t OwnImageSize() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(OwnImageFile(), &size)) throw std::runtime_error("Setup cannot measure its own file: " + SystemErrorText(GetLastError()));
  return size.QuadPart;
}
