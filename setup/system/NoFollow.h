#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "logic/NoFollowPath.h"

// A kernel handle, closed when it goes.
class OwnedHandle {
public:
  explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~OwnedHandle();
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }

private:
  HANDLE handle_;
};

// The path the handle really names ("\\?\C:\..."); empty when the system cannot say.
std::string FinalPathOf(HANDLE handle);

// Opens the levels of a folder without following links and holds them open (no one may
// delete or rename them) for as long as it lives.
class HeldLevels : public LevelOpener {
public:
  LevelFacts Open(const std::string& level) override;

private:
  std::vector<OwnedHandle> held_;
};

// Deletes a file through a handle on the file itself (a link is removed, never its target),
// after checking its folder level by level and the handle's final path. False when refused
// or failed.
bool DeleteWithoutFollowing(const std::string& path);

// Opens an existing file itself (a link is not followed) for access; the handle is invalid
// when the file is missing, is not a plain file, or its final path is not path.
OwnedHandle OpenPlainFile(const std::string& path, DWORD access, DWORD share);

// 16 bytes from the system's cryptographic generator. Raises when it has none to give.
void RandomBytes(uint8_t (&random)[16]);

// A name no one can foresee: "prefix" + 32 hexadecimal digits + "suffix". Raises when the
// system has no random bytes to give.
std::string UnforeseeableName(const std::string& prefix, const std::string& suffix);

// Gives the open file the name newPath (in its own folder), replacing a file of that name; a
// link of that name is replaced, not followed.
bool RenameOpenFile(HANDLE file, const std::string& newPath);
