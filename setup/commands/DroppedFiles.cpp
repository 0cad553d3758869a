// An update leaves nothing of the old version behind: the old record's files that the new
// packages no longer carry are deleted without a box, as Uninstall deletes; one that stays is
// logged with the system's reason and kept in the new list, so that Uninstall still removes it.
#include "SetupRun.h"
#include "logic/RecordKeeping.h"
#include "logic/UninstallPlan.h"
#include "system/LoggedDeletion.h"
#include "system/NoFollow.h"

namespace {

// After a failed extraction nothing goes: the new list is partial, and the old names are all
// kept instead.
FileList ListAfterUpdate(const FileList& oldList, const FileList& newList, const std::string& directory,
                         bool extracted, HelpIndexRule rule) {
  std::vector<std::string> kept;
  for (const std::string& name : DroppedNames(oldList, newList)) {
    FileList one(1);
    one.SetName(0, name);
    const std::vector<std::string> paths = FilesToDelete(one, directory, rule);
    if (!extracted || paths.empty()) {
      kept.push_back(name);
      continue;
    }
    for (const std::string& path : paths) DeleteLogged(path);
    if (RemainsWithoutFollowing(paths.front())) kept.push_back(name);
  }
  return WithNamesKept(newList, kept);
}
}  // namespace

void SetupRun::RemoveDroppedFiles(const std::optional<InstallationContents>& old) {
  if (!old) return;
  InstallFileList = ListAfterUpdate(old->InstallFiles, InstallFileList, plan_.Install.Path, AppExtracted,
                                    HelpIndexRule::DeleteAlongside);
  for (int i = 0; i < IdeOptionCount; ++i) {
    const RecordedOption& recorded = old->Options[i];
    // An option not chosen keeps its record as it was; one recorded elsewhere has its old
    // files in a folder this update does not write.
    if (!plan_.Ide[i].Chosen || !recorded.Present || !SameDirectory(recorded.Directory, plan_.Ide[i].Directory))
      continue;
    IdeFileList[i] = ListAfterUpdate(recorded.Files, IdeFileList[i], plan_.Ide[i].Directory, IdeExtracted[i],
                                     HelpIndexRule::Keep);
  }
}
