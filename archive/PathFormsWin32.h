#pragma once
// The forms of a path that Windows gives on request, however long: each call is asked again
// with the room it says it needs, so that 260 characters of three UTF-8 bytes each still fit.
#include <string>

// The full path of path (made absolute against the current directory, "." and ".." levels
// resolved, nothing looked up on disk); empty when the system cannot make one, so that no
// relative path is ever taken for a full one.
std::string FullPath(const std::string& path);

// The long form of an existing path, so that an 8.3 spelling compares equal; the path itself
// when the system cannot say (it does not exist, or a level cannot be read).
std::string LongPath(const std::string& path);
