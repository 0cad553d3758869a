#include "ActionLog.h"
#include "Registry.h"
#include "SetupMainForm.h"

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
    // The first shortcut that cannot be saved ends the step.
    if (!Checked(place.CheckBoxId)) continue;
    ShellLink.SaveToFile(folder + "Quillmark.lnk");
    LogAction("Shortcut created: " + folder + "Quillmark.lnk");
  }
}
