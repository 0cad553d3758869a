// The Uninstall command: removes what Install and Update made, as the record names it.
#include <stdexcept>
#include <string>
#include <vector>

#include "SetupRun.h"
#include "Sweeper.h"
#include "archive/PathFormsWin32.h"
#include "logic/ProductNames.h"
#include "logic/RecordKeeping.h"
#include "logic/UninstallPlan.h"
#include "stores/EveryUsersShare.h"
#include "stores/InstallationRecord.h"
#include "stores/Shortcuts.h"
#include "stores/ToolsMenu.h"
#include "system/ActionLog.h"
#include "system/LoggedDeletion.h"
#include "system/NoFollow.h"
#include "system/RunningProgram.h"

namespace {
const char NoRecordError[] = "Cannot uninstall!\rUninstall data has been removed from the registry.";
const char FinalMessage[] = "Quillmark has been successfully uninstalled.";
const char FinalCaption[] = "Uninstall complete";

// One that stays is logged and stays in the record; the others go on.
void DeleteFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) DeleteLogged(path);
}

}  // namespace

void SetupRun::Uninstall() {
  if (feedback_.Message("Are you absolutely sure you wish to uninstall Quillmark?",
                        "(You must have accidentically pressed that button...)", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  const auto status = [this](const char* text) { feedback_.UninstallStatus(text); };

  status("Reading uninstall information");
  std::optional<InstallationContents> recorded = ReadInstallationContents();
  if (!recorded) throw std::runtime_error(NoRecordError);
  InstallFileList = recorded->InstallFiles;
  for (int i = 0; i < IdeOptionCount; ++i) IdeFileList[i] = recorded->Options[i].Files;
  const std::string& installDir = Model.InstallDir;
  const std::string setupCopy = WithTrailingBackslash(installDir) + SetupCopyName;
  {
    std::vector<std::string> paths = FilesToDelete(InstallFileList, installDir, HelpIndexRule::Keep);
    paths.push_back(setupCopy);
    for (int i = 0; i < IdeOptionCount; ++i)
      for (const std::string& path : FilesToDelete(IdeFileList[i], recorded->Options[i].Directory, HelpIndexRule::Keep))
        paths.push_back(path);
    if (!FilesFree(paths)) return;
  }

  status("Deleting files");
  DeleteFiles(FilesToDelete(InstallFileList, installDir, HelpIndexRule::DeleteAlongside));
  InstallFileList.Clear();
  // The running copy stays (logged), for the helper to delete.
  const bool needSweeper = !DeleteLogged(setupCopy, "File", "deleted", ReadOnlyFiles::Delete);
  for (int i = 0; i < IdeOptionCount; ++i) {
    // The list's files go only from the directory the record names (start-up shows the same
    // text); without one, FilesToDelete skips the list.
    DeleteFiles(FilesToDelete(IdeFileList[i], recorded->Options[i].Directory, HelpIndexRule::Keep));
    IdeFileList[i].Clear();
  }

  status("Removing directory");
  // Only empty ones go. The IDE folders first: those proposed inside the installation
  // directory would otherwise keep it.
  for (const IdeChoice& option : Model.Ide) RemoveFolderLogged(option.Directory);
  RemoveFolderLogged(installDir);

  // What could not be deleted stays named in the record, for the next Uninstall.
  const auto remains = [](const std::string& path) { return RemainsWithoutFollowing(path); };
  InstallationContents left = *recorded;
  left.InstallFiles = NamesLeft(recorded->InstallFiles, installDir, remains);
  bool anyLeft = HoldsNames(left.InstallFiles);
  for (int i = 0; i < IdeOptionCount; ++i) {
    left.Options[i].Files = NamesLeft(recorded->Options[i].Files, recorded->Options[i].Directory, remains);
    anyLeft = anyLeft || HoldsNames(left.Options[i].Files);
  }

  status("Updating registry");
  RemoveShellRegistration();
  // No user's logon may run the uninstalled Setup.exe. Other users' entries stay: what could
  // remove them at their logon would have to outlive the installation.
  const bool forEveryone = EveryUsersShareRegistered();
  RemoveEveryUsersShare();
  if (PlacesFor(Model.Account, Model.Scope).ToolsMenuEntries) RemoveToolsMenuEntries();

  status("Destroying shortcuts");
  const ShortcutCleaning shortcuts = ShortcutsToRemove(Model.Account, Model.Scope, forEveryone);
  if (shortcuts.User) RemoveShortcuts(ShortcutFolders::User);
  if (shortcuts.AllUsers) RemoveShortcuts(ShortcutFolders::AllUsers);

  // The record goes last: an Uninstall broken off before here can be run again.
  if (anyLeft) {
    KeepRecordedLists(left);
    LogAction("Files not deleted stay in the record");
  } else {
    RemoveInstallationRecord();
  }

  status("Uninstall complete");
  if (!SweeperNeeded(needSweeper, LongPath(SourceDir), LongPath(installDir))) {
    feedback_.Message(FinalMessage, FinalCaption, MB_OK);
  } else if (feedback_.Unattended()) {
    // The helper only sweeps; the message it would show is logged here.
    LogAction(std::string("Message box \"") + FinalCaption + "\": " + FinalMessage);
    LaunchSweeper("", "");
  } else {
    LaunchSweeper(FinalMessage, FinalCaption);
  }
  feedback_.EndProgram();
}
