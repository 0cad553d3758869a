#pragma once
// The Windows half of the file seam where a folder may belong to a user (an IDE folder, a shell
// folder): a name in it is created, opened and renamed relative to the folder's open handle,
// never looked up by path again, so that no junction or symbolic link is followed and no hard
// link is written through. (Where <windows.h> is included, ByteFile.h must come first.)
#include <windows.h>

#include <cstdint>
#include <string>

// A kernel handle, closed when it goes.
class OwnedHandle {
public:
  explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~OwnedHandle();
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept;
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  HANDLE Release();

private:
  HANDLE handle_;
};

// The path the handle really names ("\\?\C:\..."); empty when the system cannot say.
std::string FinalPathOf(HANDLE handle);

// 16 bytes from the system's cryptographic generator. Raises std::runtime_error when it has
// none to give.
void RandomBytes(uint8_t (&random)[16]);

// A name no one can foresee: prefix + 32 hexadecimal digits + suffix. Raises std::runtime_error
// when the system has no random bytes to give.
std::string UnforeseeableName(const std::string& prefix, const std::string& suffix);

// Deletes the file or empty folder the handle names once the handle is closed.
bool MarkForDeletion(HANDLE handle);

// The system's text for an error code, without the line end.
std::string SystemErrorText(DWORD code);
// Why an open level by level failed: that a folder on the way is a link (ThroughLinkError),
// else the system's text.
std::string OpenErrorText(DWORD code);

// name (one level) inside the held folder, relative to its handle (LevelOpenWin32.h: no link
// followed, identification only): disposition and options are NtCreateFile's. Invalid on
// failure, with the system's error in error.
OwnedHandle OpenInFolder(HANDLE folder, const std::string& name, ACCESS_MASK access, ULONG share, ULONG disposition,
                         ULONG options, DWORD& error, PSECURITY_DESCRIPTOR security = nullptr);

// One folder of a path, as the link-safe opener found it.
struct HeldLevel {
  OwnedHandle Handle;       // invalid when it could not be opened or looked at
  DWORD Error = 0;          // the system's error then (ThroughLinkError for a link on the way)
  DWORD Attributes = 0;     // FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_REPARSE_POINT ...
  bool IsLink = false;      // a junction or symbolic link (a name surrogate) itself
  std::string FinalPath;    // what the handle names ("\\?\C:\...")
};

// The one opener of a folder of a path a user can influence: held without sharing deletion (it
// can be neither renamed nor replaced while open), no link followed. Relative to above, the
// folder just above it, where that is held; otherwise from the path's root, level by level
// (OpenByLevels). The folder rule, the walks down to a shortcut or a log, and OpenCheckedFolder
// all open through it.
HeldLevel OpenHeldLevel(HANDLE above, const std::string& level, ACCESS_MASK access);

// An existing folder, opened level by level from its root without following a link and
// checked to be the very folder its path names (by the final path of the handle; an 8.3
// spelling counts in its long form). Held as OpenHeldLevel holds it. Invalid when it cannot be
// opened or is reached through a link; why then says which.
OwnedHandle OpenCheckedFolder(const std::string& folder, std::string& why);

// Creates name (no backslash) anew inside the folder, relative to its handle: a file, or a
// folder with the given security (nullptr: inherited). Fails when the name exists, even as a
// link. Invalid on failure, with the system's error in error.
OwnedHandle CreateInFolder(HANDLE folder, const std::string& name, ACCESS_MASK access, bool directory,
                           PSECURITY_DESCRIPTOR security, DWORD& error);

// Gives the open file the name `name` in the held folder, whose checked path is folderPath: an
// existing file of that name is removed by handle first (a link of that name goes itself, its
// target stays), then the file is renamed relative to the folder's handle, so that no hard link
// of that name is written through. False with the reason in why.
bool PutInPlace(HANDLE file, HANDLE folder, const std::string& folderPath, const std::string& name,
                std::string& why);

// A new file at path for writing, in place of any file of that name: created under a name no one
// can foresee in the folder of path (held open and checked), checked by its final path and a
// link count of 1, then put in place (PutInPlace). Invalid on failure, with the reason in why.
OwnedHandle CreateFileInPlace(const std::string& path, std::string& why);
