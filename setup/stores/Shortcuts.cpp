#include "Shortcuts.h"

#include <shlobj.h>

#include <array>
#include <optional>
#include <stdexcept>

#include "logic/ProductNames.h"
#include "logic/UninstallPlan.h"
#include "system/ActionLog.h"
#include "system/LoggedDeletion.h"
#include "system/NoFollow.h"
#include "system/Registry.h"
#include "system/ShellFolder.h"
#include "system/ShellLink.h"

namespace {

constexpr const char* ShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* ShortcutName = "Quillmark.lnk";

struct ShortcutPlace {
  const char* ShellFolder;  // also the name the log gives the place
  int CommonFolder;  // the All Users counterpart
  bool ShortcutChoices::*Chosen;
};
constexpr ShortcutPlace ShortcutPlaces[] = {
    {"Desktop", CSIDL_COMMON_DESKTOPDIRECTORY, &ShortcutChoices::Desktop},
    {"Start Menu", CSIDL_COMMON_STARTMENU, &ShortcutChoices::StartMenu},
    {"Programs", CSIDL_COMMON_PROGRAMS, &ShortcutChoices::Programs}};
constexpr size_t PlaceCount = sizeof ShortcutPlaces / sizeof ShortcutPlaces[0];

// Each place's folder, ending in a backslash; none where the folder is not named.
std::array<std::optional<std::string>, PlaceCount> FolderPaths(ShortcutFolders source) {
  std::array<std::optional<std::string>, PlaceCount> paths;
  if (source == ShortcutFolders::AllUsers) {
    for (size_t i = 0; i < PlaceCount; ++i) {
      char path[MAX_PATH] = {};
      if (SUCCEEDED(SHGetFolderPathA(nullptr, ShortcutPlaces[i].CommonFolder, nullptr, SHGFP_TYPE_CURRENT, path)))
        paths[i] = WithTrailingBackslash(path);
    }
    return paths;
  }
  const RegKey folders = RegKey::Open(HKEY_CURRENT_USER, ShellFoldersKey, KEY_READ);
  if (!folders) return paths;
  for (size_t i = 0; i < PlaceCount; ++i) {
    std::string folder;
    if (ReadShellFolder(folders, ShortcutPlaces[i].ShellFolder, folder)) paths[i] = WithTrailingBackslash(folder);
  }
  return paths;
}

}  // namespace

void AddShortcuts(const ShortcutChoices& choices, const std::string& installationDir, ShortcutFolders source) {
  TShellLink link;
  link.Description = ProductName;
  link.IconPath = installationDir + ProductProgramName;
  link.Path = link.IconPath;
  link.WorkingDirectory = installationDir;

  std::optional<std::vector<uint8_t>> bytes;  // made once, for the first shortcut
  const auto folders = FolderPaths(source);
  const std::string owner = source == ShortcutFolders::AllUsers ? "All Users " : "";
  for (size_t i = 0; i < PlaceCount; ++i) {
    if (!(choices.*ShortcutPlaces[i].Chosen)) continue;
    const std::string place = owner + ShortcutPlaces[i].ShellFolder;
    if (!folders[i]) {
      // (A folder the code page cannot name has said so already.)
      LogAction("Shortcut skipped: no usable " + place + " folder is named");
      continue;
    }
    const std::string& folder = *folders[i];
    // A folder reached through a junction or link is skipped like a missing value; one that
    // does not exist fails to save as before.
    HeldLevels levels;
    const FolderCheck check = CheckFolder(folder, levels);
    if (check == FolderCheck::Redirected) {
      LogAction("Shortcut skipped: the " + place + " folder " + folder +
                " is reached through a link or junction, which Setup does not follow");
      continue;
    }
    if (check == FolderCheck::Missing)
      throw std::runtime_error("Cannot save " + folder + ShortcutName + ": the folder does not exist");
    // The first shortcut that cannot be saved ends the step. The folder may be the user's, who
    // may have made "Quillmark.lnk" a link to a system file: it is replaced, never written through.
    if (!bytes) bytes = link.FileBytes();
    SaveInHeldFolder(levels, folder, ShortcutName, *bytes);
    LogAction("Shortcut created: " + folder + ShortcutName);
  }
}

void RemoveShortcuts(ShortcutFolders source) {
  for (const auto& folder : FolderPaths(source)) {
    // The folder may be the user's: no junction or link on the way is followed, and a link
    // named like the shortcut goes itself, never its target.
    if (folder) DeleteLogged(*folder + ShortcutName, "Shortcut", "removed");
  }
}
