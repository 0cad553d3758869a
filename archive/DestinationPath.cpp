#include "DestinationPath.h"

#include "ByteFile.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Length of the root that is taken as existing, or 0 when the path has none.
size_t RootLength(const std::string& dir, PathStyle style) {
  if (style == PathStyle::Posix) return !dir.empty() && dir[0] == '/' ? 1 : 0;
  if (dir.size() >= 3 && IsAsciiLetter(dir[0]) && dir[1] == ':' && dir[2] == '\\') return 3;
  if (dir.compare(0, 2, "\\\\") != 0) return 0;
  const size_t serverEnd = dir.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return 0;
  const size_t shareEnd = dir.find('\\', serverEnd + 1);
  if (shareEnd == std::string::npos || shareEnd == serverEnd + 1) return 0;
  return shareEnd + 1;
}

}  // namespace

PathStyle NativePathStyle() {
#ifdef _WIN32
  return PathStyle::Windows;
#else
  return PathStyle::Posix;
#endif
}

bool IsRootedPath(const std::string& path, PathStyle style) { return RootLength(path, style) > 0; }

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

std::string CompleteDestination(std::string dir, PathStyle style) {
  const bool empty = dir.empty();
  if (empty || dir.back() != Separator(style)) dir += Separator(style);
  if (empty || RootLength(dir, style) == 0) {
    throw EFileError("Cannot create directory", dir,
                     style == PathStyle::Windows
                         ? "The path must begin with a drive (C:\\) or a network share "
                           "(\\\\server\\share\\)"
                         : "The path must be absolute");
  }
  return dir;
}

std::vector<std::string> DestinationLevels(const std::string& completedDir, PathStyle style) {
  std::vector<std::string> levels;
  const char separator = Separator(style);
  for (size_t i = RootLength(completedDir, style); i < completedDir.size(); ++i) {
    if (completedDir[i] == separator && completedDir[i - 1] != separator)
      levels.push_back(completedDir.substr(0, i));
  }
  return levels;
}
