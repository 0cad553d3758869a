#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/NoFollowDelete.h"
#include "archive/NoFollowWin32.h"
#include "logic/NoFollowPath.h"

// Opens the levels of a folder, each relative to the one above (OpenHeldLevel), without following
// links, and holds them open (no one may delete or rename them) for as long as it lives.
class HeldLevels : public LevelOpener {
public:
  LevelFacts Open(const std::string& level) override;
  // The deepest level opened; null when none was.
  HANDLE Deepest() const { return held_.empty() ? nullptr : held_.back().Get(); }

private:
  std::vector<OwnedHandle> held_;
};

inline bool DeleteWithoutFollowing(const std::string& path, ReadOnlyFiles readOnly = ReadOnlyFiles::Keep) {
  return DeleteWithoutFollowing(path.c_str(), readOnly);
}
inline bool RemoveFolderWithoutFollowing(const std::string& path) { return RemoveFolderWithoutFollowing(path.c_str()); }

// Opens an existing file itself (a link is not followed), level by level from its root, for
// access; the handle is invalid when the file is missing, is not a plain file, or its final
// path is not path (in its long form, where path has 8.3 levels). Then why, when given, says
// which: the system's text, or that the path leads through a link.
OwnedHandle OpenPlainFile(const std::string& path, DWORD access, DWORD share, std::string* why = nullptr);

// Whether something is still at path, looked at level by level from its root (a link itself
// counts; nothing behind it is opened). True where it cannot be told (a link on the way): a
// name kept in the record is the safe side.
bool RemainsWithoutFollowing(const std::string& path);

// Writes bytes as name into a folder held by levels (checked, folder its path ending in a
// backslash): under a name no one can foresee, created relative to the folder's handle, then
// that very file, checked by its final path and a link count of 1, is put in place by handle
// (PutInPlace). Raises "Cannot save <path>: <why>" when that fails.
void SaveInHeldFolder(const HeldLevels& levels, const std::string& folder, const std::string& name,
                      const std::vector<uint8_t>& bytes);

// Copies an open file, from its start, to a path in place of any file of that name, which may be
// read-only (a copy from a CD), without following a link there (ByteFile's Create). The copy
// keeps the last-write time. Raises "Cannot copy to <path>: <why>" when it cannot be made so.
void CopyWithoutFollowing(HANDLE source, const std::string& to);

