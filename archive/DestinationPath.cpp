#include "DestinationPath.h"

#include "ByteFile.h"
#include "CodePage.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A server name of a share: "\\C:\x" names the drive, "\\.\" and "\\?\" the device
// namespace (pipes, volumes, GLOBALROOT), none of them a server; no name holds a control
// character.
bool IsServerName(const std::string& server) {
  for (const char c : server)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return server != "." && server.find_first_of(":*?\"<>|/") == std::string::npos;
}

// Length of the root that is taken as existing, or 0 when the path has none.
size_t RootLength(const std::string& dir, PathStyle style, const CodePage& page) {
  if (style == PathStyle::Posix) return !dir.empty() && dir[0] == '/' ? 1 : 0;
  if (dir.size() >= 3 && IsAsciiLetter(dir[0]) && dir[1] == ':' && dir[2] == '\\') return 3;
  if (dir.compare(0, 2, "\\\\") != 0) return 0;
  const size_t serverEnd = FindAscii(dir, '\\', 2, page);
  if (serverEnd == std::string::npos || serverEnd == 2 || !IsServerName(dir.substr(2, serverEnd - 2))) return 0;
  const size_t shareEnd = FindAscii(dir, '\\', serverEnd + 1, page);
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

bool IsRootedPath(const std::string& path, PathStyle style) {
  return RootLength(path, style, ProgramCodePage()) > 0;
}

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

std::string CompleteDestination(std::string dir, PathStyle style, const CodePage& page) {
  const bool empty = dir.empty();
  if (empty || !EndsWithAscii(dir, Separator(style), page)) dir += Separator(style);
  if (empty || RootLength(dir, style, page) == 0) {
    throw EFileError("Cannot create directory", dir,
                     style == PathStyle::Windows
                         ? "The path must begin with a drive (C:\\) or a network share "
                           "(\\\\server\\share\\)"
                         : "The path must be absolute");
  }
  if (style == PathStyle::Windows) RefuseUnrepresentedCharacters(dir, page);
  return dir;
}

void RefuseUnrepresentedCharacters(const std::string& dir, const CodePage& page) {
  // Windows before 10 1903 ignore our UTF-8 declaration and put "?" for each character that
  // their code page lacks: "Invalid name" alone would not say why.
  if (!page.IsUtf8() && FindAscii(dir, '?', 0, page) != std::string::npos) {
    throw EFileError("Cannot create directory", dir,
                     "Its name holds \"?\", which Windows allows in no name and puts for each character "
                     "that this system's code page (" + std::to_string(page.Number()) +
                     ") cannot represent. Choose a name in that code page, or install on Windows 10 "
                     "version 1903 or later, which takes every character");
  }
}

std::vector<std::string> DestinationLevels(const std::string& completedDir, PathStyle style,
                                           const CodePage& page) {
  std::vector<std::string> levels;
  const char separator = Separator(style);
  bool afterSeparator = true;  // the root ends in one
  for (size_t i = RootLength(completedDir, style, page); i < completedDir.size();
       i += page.CharacterLength(completedDir, i)) {
    const bool isSeparator = completedDir[i] == separator;
    if (isSeparator && !afterSeparator) levels.push_back(completedDir.substr(0, i));
    afterSeparator = isSeparator;
  }
  return levels;
}

Destination DestinationOf(const std::string& dir, PathStyle style, const CodePage& page) {
  Destination destination;
  destination.Path = CompleteDestination(dir, style, page);
  destination.Levels = DestinationLevels(destination.Path, style, page);
  return destination;
}
