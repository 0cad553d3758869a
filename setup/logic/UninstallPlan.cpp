#include "UninstallPlan.h"

#include <algorithm>

#include "archive/AsciiCase.h"
#include "archive/DestinationPath.h"
#include "archive/Package.h"

namespace {
bool IsHelpFile(const std::string& name, size_t& dot) {
  dot = name.rfind('.');
  return dot != std::string::npos && AsciiLower(name.substr(dot)) == ".hlp";
}
}  // namespace

FileList ListFromRecord(const std::vector<uint8_t>& bytesRead, int64_t recordedSize) {
  const int64_t trusted = std::clamp<int64_t>(recordedSize, 0, static_cast<int64_t>(bytesRead.size()));
  return FileList::FromBytes(bytesRead.data(), static_cast<size_t>(trusted));
}

std::string WithTrailingBackslash(const std::string& directory) {
  // In a double-byte code page a name may end in a second byte 0x5C, which is no backslash.
  if (EndsWithAscii(directory, '\\')) return directory;
  return directory + '\\';
}

std::vector<std::string> FilesToDelete(const FileList& list, const std::string& directory,
                                       HelpIndexRule rule) {
  const std::string base = WithTrailingBackslash(directory);
  std::vector<std::string> paths;
  if (directory.empty() || !IsRootedPath(base, PathStyle::Windows)) return paths;
  for (int32_t slot = 0; slot < list.Count(); ++slot) {
    const std::string name = list.Name(slot);
    if (!IsPlainFileName(name)) continue;
    paths.push_back(base + name);
    size_t dot = 0;
    if (rule == HelpIndexRule::DeleteAlongside && IsHelpFile(name, dot))
      paths.push_back(base + name.substr(0, dot) + ".gid");
  }
  return paths;
}

bool SameDirectory(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return false;
  return AsciiLower(WithTrailingBackslash(first)) == AsciiLower(WithTrailingBackslash(second));
}

bool SweeperNeeded(bool needSweeper, const std::string& programDirectory,
                   const std::string& installDir) {
  return needSweeper && SameDirectory(programDirectory, installDir);
}
