#include "InstallDirectory.h"

#include "archive/DestinationPath.h"

std::optional<InstallDirectory> RootedDirectory(const std::string& text, const CodePage& page) {
  InstallDirectory dir;
  dir.Path = EndsWithAscii(text, '\\', page) ? text : text + '\\';
  if (!IsRootedPath(dir.Path, PathStyle::Windows)) return std::nullopt;
  dir.Levels = DestinationLevels(dir.Path, PathStyle::Windows, page);
  // In a double-byte code page a level may hold a second byte 0x5C, which is no backslash.
  dir.Root = dir.Levels.empty() ? dir.Path
                                : dir.Levels.front().substr(0, FindLastAscii(dir.Levels.front(), '\\', page) + 1);
  return dir;
}

std::optional<InstallDirectory> ChosenInstallDirectory(const std::string& text, const CodePage& page,
                                                       std::string* why) {
  const auto refuse = [why](const char* reason) {
    if (why != nullptr) *why = reason;
    return std::nullopt;
  };
  if (text.rfind("\\\\", 0) == 0) return refuse("it is a network share, whose permissions are the server's");
  if (FindAscii(text, '/', 0, page) != std::string::npos || FindAscii(text, '%', 0, page) != std::string::npos)
    return refuse("it holds \"/\" or \"%\"");
  std::string trimmed = text;
  while (EndsWithAscii(trimmed, '\\', page)) trimmed.pop_back();
  std::optional<InstallDirectory> dir = RootedDirectory(trimmed, page);
  if (!dir) return refuse("it is not a full path (C:\\...)");
  if (dir->Levels.empty()) return refuse("it is the root folder of a drive");
  for (const std::string& level : dir->Levels) {
    const std::string name = level.substr(FindLastAscii(level, '\\', page) + 1);
    if (name == "." || name == "..") return refuse("it holds a \".\" or \"..\" folder");
  }
  return dir;
}
