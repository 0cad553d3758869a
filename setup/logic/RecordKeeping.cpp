#include "RecordKeeping.h"

#include <algorithm>

#include "UninstallPlan.h"
#include "archive/AsciiCase.h"
#include "archive/DestinationPath.h"
#include "archive/Package.h"
#include "logic/PageSelection.h"

namespace {
bool Holds(const std::vector<std::string>& names, const std::string& name) {
  const std::string upper = AsciiUpper(name);
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return AsciiUpper(n) == upper; });
}

std::vector<std::string> NamesOf(const FileList& list) {
  std::vector<std::string> names;
  for (int32_t slot = 0; slot < list.Count(); ++slot) names.push_back(list.Name(slot));
  return names;
}
}  // namespace

std::string VersionToRecord(bool applicationExtracted, const std::string& packageVersion,
                            const std::string& installedVersion) {
  if (applicationExtracted) return packageVersion;
  return installedVersion == NoInstalledVersion ? std::string() : installedVersion;
}

std::vector<std::string> DroppedNames(const FileList& oldList, const FileList& newList) {
  const std::vector<std::string> carried = NamesOf(newList);
  std::vector<std::string> dropped;
  for (const std::string& name : NamesOf(oldList))
    if (IsPlainFileName(name) && !Holds(carried, name) && !Holds(dropped, name)) dropped.push_back(name);
  return dropped;
}

FileList WithNamesKept(const FileList& list, const std::vector<std::string>& kept) {
  std::vector<std::string> names = NamesOf(list);
  std::vector<std::string> added;
  for (const std::string& name : kept)
    if (!Holds(names, name) && !Holds(added, name)) added.push_back(name);
  if (added.empty()) return list;
  FileList result(list.Count() + static_cast<int32_t>(added.size()));
  names.insert(names.end(), added.begin(), added.end());
  for (int32_t slot = 0; slot < result.Count(); ++slot) result.SetName(slot, names[static_cast<size_t>(slot)]);
  return result;
}

FileList NamesLeft(const FileList& list, const std::string& directory,
                   const std::function<bool(const std::string& path)>& remains) {
  const std::string base = WithTrailingBackslash(directory);
  std::vector<std::string> left;
  if (!directory.empty() && IsRootedPath(base, PathStyle::Windows))
    for (const std::string& name : NamesOf(list))
      if (IsPlainFileName(name) && remains(base + name)) left.push_back(name);
  return WithNamesKept(FileList(), left);
}

bool HoldsNames(const FileList& list) {
  for (int32_t slot = 0; slot < list.Count(); ++slot)
    if (!list.Name(slot).empty()) return true;
  return false;
}
