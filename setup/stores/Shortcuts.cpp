#include <stdexcept>

#include "system/ActionLog.h"
#include "system/NoFollow.h"
#include "system/Registry.h"
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
constexpr DWORD FolderBytes = MAX_PATH + 1;  // 260 characters and the zero

}  // namespace

void TSetupForm::AddShortcuts() {
  ShellLink.IconPath = InstallationDir + "Quillmk.exe";
  ShellLink.Path = ShellLink.IconPath;
  ShellLink.WorkingDirectory = InstallationDir;

  const RegKey folders = RegKey::Open(HKEY_CURRENT_USER, ShellFoldersKey, KEY_READ);
  if (!folders) return;
  for (const ShortcutPlace& place : ShortcutPlaces) {
    std::string folder;
    if (!folders.ReadString(place.ShellFolder, folder, FolderBytes)) continue;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    if (!Checked(place.CheckBoxId)) continue;
    // A folder reached through a junction or link is skipped like a missing value; one that
    // does not exist fails to save as before.
    HeldLevels levels;
    const FolderCheck check = CheckFolder(folder, levels);
    if (check == FolderCheck::Redirected) continue;
    if (check == FolderCheck::Missing) throw std::runtime_error("Cannot save " + folder + "Quillmark.lnk");
    // The first shortcut that cannot be saved ends the step. The folder is the user's, who may
    // have made "Quillmark.lnk" a link to a system file: it is replaced, never written through.
    SaveInHeldFolder(levels, folder, "Quillmark.lnk", [&](const std::string& path) { ShellLink.SaveToFile(path); });
    LogAction("Shortcut created: " + folder + "Quillmark.lnk");
  }
}
