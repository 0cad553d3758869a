#include <stdexcept>

#include "system/ActionLog.h"
#include "system/NoFollow.h"
#include "system/Registry.h"
#include "system/ShellFolder.h"
#include "window/SetupMainForm.h"

namespace {

struct ShortcutPlace {
  const char* ShellFolder;
  int CheckBoxId;
};
constexpr ShortcutPlace ShortcutPlaces[] = {
    {"Desktop", CheckDesktop}, {"Start Menu", CheckStartMenu}, {"Programs", CheckPrograms}};

constexpr const char* ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The folder belongs to the user, who may have made "Quillmark.lnk" a link to a system file:
// the shortcut is saved under a name no one can foresee, then that very file is renamed over
// "Quillmark.lnk", which replaces a link of that name instead of writing through it. The
// folder's levels stay held (checked) meanwhile.
void SaveShortcut(const TShellLink& link, const std::string& folder) {
  const std::string target = folder + "Quillmark.lnk";
  const std::string fresh = folder + UnforeseeableName("Quillmark-", ".tmp");
  link.SaveToFile(fresh);
  const OwnedHandle file = OpenPlainFile(fresh, DELETE, FILE_SHARE_READ);
  if (file && RenameOpenFile(file.Get(), target)) return;
  if (file) {
    FILE_DISPOSITION_INFO disposition = {TRUE};
    SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof disposition);
  }
  throw std::runtime_error("Cannot save " + target);
}

}  // namespace

void TSetupForm::AddShortcuts() {
  ShellLink.IconPath = InstallationDir + "Quillmk.exe";
  ShellLink.Path = ShellLink.IconPath;
  ShellLink.WorkingDirectory = InstallationDir;

  const RegKey folders = RegKey::Open(HKEY_CURRENT_USER, ShellFoldersKey, KEY_READ);
  if (!folders) return;
  for (const ShortcutPlace& place : ShortcutPlaces) {
    std::string folder;
    if (!Checked(place.CheckBoxId) || !ReadShellFolder(folders, place.ShellFolder, folder)) continue;
    if (!EndsWithAscii(folder, '\\')) folder += '\\';
    // A folder reached through a junction or link is skipped like a missing value; one that
    // does not exist fails to save as before.
    HeldLevels levels;
    const FolderCheck check = CheckFolder(folder, levels);
    if (check == FolderCheck::Redirected) continue;
    if (check == FolderCheck::Missing) throw std::runtime_error("Cannot save " + folder + "Quillmark.lnk");
    // The first shortcut that cannot be saved ends the step.
    SaveShortcut(ShellLink, folder);
    LogAction("Shortcut created: " + folder + "Quillmark.lnk");
  }
}
