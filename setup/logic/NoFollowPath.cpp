#include "NoFollowPath.h"

#include <algorithm>

#include "UninstallPlan.h"
#include "archive/DestinationPath.h"
#include "archive/FinalPath.h"

namespace {
const char HelperPrefix[] = "QmSweeper-";
constexpr size_t HelperPrefixLength = sizeof HelperPrefix - 1;
}  // namespace

FolderCheck CheckFolder(const std::string& folder, LevelOpener& opener) {
  const std::string complete = WithTrailingBackslash(folder);
  if (folder.empty() || !IsRootedPath(complete, PathStyle::Windows)) return FolderCheck::Redirected;
  for (const std::string& level : DestinationLevels(complete, PathStyle::Windows)) {
    const LevelFacts facts = opener.Open(level);
    if (facts.Kind == LevelKind::Missing) return FolderCheck::Missing;
    if (facts.Kind != LevelKind::Directory || !SameFinalPath(facts.FinalPath, level)) return FolderCheck::Redirected;
  }
  return FolderCheck::Safe;
}

bool SameFinalPath(const std::string& finalPath, const std::string& path) {
  return SameFinalPath(finalPath.c_str(), path.c_str());
}

std::string HelperFolderName(const uint8_t (&random)[16]) { return HelperPrefix + HexText(random); }

std::string HelperFolderPattern() { return std::string(HelperPrefix) + "*"; }

bool IsHelperFolderName(const std::string& name) {
  return name.size() == HelperPrefixLength + 32 && name.compare(0, HelperPrefixLength, HelperPrefix) == 0 &&
         std::all_of(name.begin() + HelperPrefixLength, name.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}
