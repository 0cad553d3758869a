#include "NoFollowDelete.h"

#include <windows.h>

#include "archive/FinalPath.h"
#include "archive/LevelOpenWin32.h"

namespace {

constexpr ULONG DirectoryFile = 0x00000001;     // FILE_DIRECTORY_FILE
constexpr ULONG NonDirectoryFile = 0x00000040;  // FILE_NON_DIRECTORY_FILE

// A text from the process heap, freed when it goes: paths have no fixed length here.
class HeapText {
public:
  HeapText() = default;
  ~HeapText() { Reset(nullptr); }
  HeapText(const HeapText&) = delete;
  HeapText& operator=(const HeapText&) = delete;
  const char* Get() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }

  // Fills the text through one of the ...A calls that report the room they need when given too
  // little (with the zero, or without it, as Wine's GetFinalPathNameByHandleA does).
  template <class Call>
  bool Fill(Call call) {
    DWORD room = call(nullptr, 0);
    for (int attempt = 0; attempt < 3 && room > 0; ++attempt) {
      Reset(static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, room)));
      if (!text_) return false;
      const DWORD length = call(text_, room);
      if (length > 0 && length < room) return true;
      room = length + 1;  // it grew meanwhile, or the zero was not counted
    }
    Reset(nullptr);
    return false;
  }

private:
  void Reset(char* text) {
    if (text_) HeapFree(GetProcessHeap(), 0, text_);
    text_ = text;
  }
  char* text_ = nullptr;
};

// Whether the handle names the full path, or its long form (a path given in 8.3 names).
bool Names(HANDLE handle, const char* fullPath) {
  HeapText finalPath, longPath;
  if (!finalPath.Fill([&](char* text, DWORD room) { return GetFinalPathNameByHandleA(handle, text, room, 0); }))
    return false;
  return SameFinalPath(finalPath.Get(), fullPath) ||
         (longPath.Fill([&](char* text, DWORD room) { return GetLongPathNameA(fullPath, text, room); }) &&
          SameFinalPath(finalPath.Get(), longPath.Get()));
}

// The full path in UTF-16, for the level-by-level open; null when it cannot be converted.
wchar_t* WidePath(const char* fullPath) {
  const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, fullPath, -1, nullptr, 0);
  if (length <= 0) return nullptr;
  wchar_t* wide = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(length) * sizeof(wchar_t)));
  if (wide && MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, fullPath, -1, wide, length) != length) {
    HeapFree(GetProcessHeap(), 0, wide);
    return nullptr;
  }
  return wide;
}

// The name itself, opened for deleting without following it or any folder on its way (each
// level relative to the one above); invalid unless it is what wanted says (a directory or not)
// and what its full path names.
HANDLE OpenItself(const char* path, DWORD access, bool directory, DWORD& attributes) {
  HeapText fullPath;
  if (!fullPath.Fill([&](char* text, DWORD room) { return GetFullPathNameA(path, room, text, nullptr); }))
    return INVALID_HANDLE_VALUE;
  wchar_t* wide = WidePath(fullPath.Get());
  if (!wide) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = INVALID_HANDLE_VALUE;
  const DWORD error = OpenByLevels(wide, access | DELETE | FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   directory ? DirectoryFile : NonDirectoryFile, &handle);
  HeapFree(GetProcessHeap(), 0, wide);
  if (error != 0) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  BY_HANDLE_FILE_INFORMATION info;
  const bool wanted = GetFileInformationByHandle(handle, &info) &&
                      ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == directory &&
                      Names(handle, fullPath.Get());
  if (!wanted) {
    CloseHandle(handle);
    SetLastError(ThroughLinkError);  // another kind of item, or another place, than the path names
    return INVALID_HANDLE_VALUE;
  }
  attributes = info.dwFileAttributes;
  return handle;
}

bool MarkDeleted(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition;
  disposition.DeleteFile = TRUE;
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

// Closes the handle and gives back done, keeping the error of what failed before for the caller.
bool CloseKeepingError(HANDLE handle, bool done) {
  const DWORD error = GetLastError();
  CloseHandle(handle);
  SetLastError(error);
  return done;
}

}  // namespace

bool DeleteWithoutFollowing(const char* path, ReadOnlyFiles readOnly) {
  DWORD attributes = 0;
  const HANDLE file = OpenItself(path, readOnly == ReadOnlyFiles::Delete ? FILE_WRITE_ATTRIBUTES : 0, false, attributes);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool done = true;
  // A copy from read-only media keeps that attribute, which would keep it forever.
  if ((attributes & FILE_ATTRIBUTE_READONLY) && readOnly == ReadOnlyFiles::Delete) {
    FILE_BASIC_INFO basic;
    basic.CreationTime.QuadPart = 0;  // 0: unchanged
    basic.LastAccessTime.QuadPart = 0;
    basic.LastWriteTime.QuadPart = 0;
    basic.ChangeTime.QuadPart = 0;
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    basic.FileAttributes = writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL;  // 0 would mean unchanged
    done = SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
  }
  done = done && MarkDeleted(file);
  return CloseKeepingError(file, done);
}

bool RemoveFolderWithoutFollowing(const char* path) {
  DWORD attributes = 0;
  const HANDLE folder = OpenItself(path, 0, true, attributes);
  if (folder == INVALID_HANDLE_VALUE) return false;
  // A junction named like the folder is the user's; only an empty folder of its own goes.
  const bool isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (isLink) SetLastError(ThroughLinkError);
  return CloseKeepingError(folder, !isLink && MarkDeleted(folder));
}
