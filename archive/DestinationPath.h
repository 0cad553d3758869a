#pragma once
#include <string>
#include <vector>

#include "CodePage.h"

// Where extraction may create its directories. Windows destinations must be rooted at a drive
// ("C:\...") or a network share ("\\server\share\..."); Linux ones (paktool, the native tests)
// at "/". Anything else would be created relative to wherever the process happens to stand.
enum class PathStyle { Windows, Posix };
PathStyle NativePathStyle();
char Separator(PathStyle style);

// Whether the path begins with such a root ("C:\", "\\server\share\" or "/").
bool IsRootedPath(const std::string& path, PathStyle style);

// The destination ending in its separator. Raises EFileError for a path without such a root,
// and, in an old code page, for one that holds "?" (a character that code page lacks).
std::string CompleteDestination(std::string dir, PathStyle style, const CodePage& page = ProgramCodePage());

// Raises EFileError for a Windows directory that holds "?" in an old code page, which puts
// that for each character it lacks.
void RefuseUnrepresentedCharacters(const std::string& dir, const CodePage& page = ProgramCodePage());

// A destination made once for all that extraction does in it: the completed path and the
// directories to make.
struct Destination {
  std::string Path;                 // ends in its separator
  std::vector<std::string> Levels;  // below the root, shallowest first, each a full path
};

// CompleteDestination and then DestinationLevels: raises as the first does.
Destination DestinationOf(const std::string& dir, PathStyle style, const CodePage& page = ProgramCodePage());

// The directories to make, shallowest first: the completed destination up to each separator
// after its root (the root itself is taken as existing; empty levels of "\\" are skipped).
std::vector<std::string> DestinationLevels(const std::string& completedDir, PathStyle style,
                                           const CodePage& page = ProgramCodePage());
