#pragma once
// Deletion that follows no link: through a handle on the file or folder itself, opened level by
// level from its root without following a junction or symbolic link (archive/LevelOpenWin32.h)
// and checked by its final path, so that a link planted
// under the name, or on the way to it, is never a way to delete another file. Without the
// standard library: the cleanup helper, which has no runtime, deletes with it too.

enum class ReadOnlyFiles { Keep, Delete };

// Deletes a file (a link of that name goes itself; a folder is refused). A read-only file stays
// unless told otherwise. False when refused or failed, as when the file is in use or missing;
// GetLastError then says why (ThroughLinkError where the path leads elsewhere).
bool DeleteWithoutFollowing(const char* path, ReadOnlyFiles readOnly = ReadOnlyFiles::Keep);

// Removes an empty folder that is no link. False when refused or failed, with GetLastError as
// above.
bool RemoveFolderWithoutFollowing(const char* path);
