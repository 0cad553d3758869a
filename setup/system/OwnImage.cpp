#include "OwnImage.h"

#include <psapi.h>

#include <stdexcept>
#include <string>
#include <vector>

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

}  // namespace

void HoldOwnImage() {
  const std::wstring path = GrowingText([](wchar_t* text, DWORD size) { return GetModuleFileNameW(nullptr, text, size); });
  // Shared for reading only: from here on no one can write, rename or delete the file.
  OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    whyNotHeld = "Setup cannot open its own file: " + SystemErrorText(GetLastError());
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
