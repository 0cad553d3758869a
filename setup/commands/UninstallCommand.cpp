// The Uninstall command: removes what Install and Update made, as the record names it.
#include <stdexcept>
#include <string>
#include <vector>

#include "system/ActionLog.h"
#include "system/NoFollow.h"
#include "system/Registry.h"
#include "window/SetupMainForm.h"
#include "Sweeper.h"
#include "stores/ToolsMenu.h"
#include "logic/RecordText.h"
#include "logic/UninstallPlan.h"

namespace {
const char NoRecordError[] = "Cannot uninstall!\rUninstall data has been removed from the registry.";
const char FinalMessage[] = "Quillmark has been successfully uninstalled.";
const char FinalCaption[] = "Uninstall complete";

struct KeyToDelete {
  HKEY Root;
  const char* Parent;  // nullptr: the key lies straight below its root
  const char* Subkey;
};

const KeyToDelete KeysToDelete[] = {
    {HKEY_LOCAL_MACHINE, "Software\\Penwright", "Quillmark"},
    {HKEY_CURRENT_USER, "Software\\Penwright", "Quillmark"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths", "Quillmk.exe"},
    {HKEY_LOCAL_MACHINE, "Software\\Classes", ".qmp"},
    {HKEY_LOCAL_MACHINE, "Software\\Classes", "QuillmarkProject"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "Quillmark"},
};

const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const ShortcutFolders[] = {"Desktop", "Start Menu", "Programs"};
constexpr DWORD FolderPathBytes = 261;

// A record list value, whatever its stored length: ListFromRecord trusts only what both the
// size value and the list value cover.
FileList ReadRecordList(const RegKey& record, const std::string& name, uint32_t recordedSize) {
  std::vector<uint8_t> probe;
  std::vector<uint8_t> bytes;
  if (record.ReadBytes(name, probe, 0)) record.ReadBytes(name, bytes, static_cast<DWORD>(probe.size()));
  return ListFromRecord(bytes, static_cast<int32_t>(recordedSize));
}

void DeleteFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths)
    if (DeleteWithoutFollowing(path)) LogAction("File deleted: " + path);  // a missing file is no concern
}

void RemoveLoggedDirectory(const std::string& path) {
  if (RemoveFolderWithoutFollowing(path)) LogAction("Directory removed: " + path);  // only empty ones go
}

void DeleteRegistryKeys() {
  for (const KeyToDelete& row : KeysToDelete) {
    const std::string path = row.Parent ? std::string(row.Parent) + "\\" + row.Subkey : row.Subkey;
    bool deleted = false;
    if (row.Parent == nullptr) {
      deleted = DeleteKeyTree(row.Root, row.Subkey);
    } else {
      const RegKey parent = RegKey::Open(row.Root, row.Parent, KEY_ALL_ACCESS);
      // The whole subtree: the platform refuses a key that has subkeys, and the record lies below.
      deleted = parent && DeleteKeyTree(parent.Handle(), row.Subkey);
    }
    if (deleted) LogAction("Registry key deleted: " + RootKeyName(row.Root) + "\\" + path);
  }
}

// Each list by itself: one that is absent or unreadable must not keep the others.
template <class Removal>
void Silently(Removal&& removal) {
  try {
    removal();
  } catch (const std::exception&) {
  }
}

void RemoveToolsEntries() {
  Silently([] { RemoveIniToolsEntry(); });
  for (const IdeOption& option : IdeOptions)
    if (option.ToolsKey != nullptr)
      Silently([&] { RemoveRegistryToolsEntry(option.ToolsKey, option.ToolsCountForm); });
}

void DeleteShortcuts() {
  const RegKey folders = RegKey::Open(HKEY_CURRENT_USER, ShellFoldersKey, KEY_ALL_ACCESS);
  if (!folders) return;
  for (const char* folder : ShortcutFolders) {
    std::string path;
    // The folder is the user's: no junction or link on the way is followed, and a link named
    // like the shortcut goes itself, never its target.
    if (folders.ReadString(folder, path, FolderPathBytes)) {
      const std::string shortcut = WithTrailingBackslash(path) + "Quillmark.lnk";
      if (DeleteWithoutFollowing(shortcut)) LogAction("Shortcut removed: " + shortcut);
    }
  }
}

// The long form of an existing path, so that an 8.3 spelling compares equal.
std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return (length > 0 && length < sizeof buffer) ? std::string(buffer, length) : path;
}
}  // namespace

void TSetupForm::UninstallBtnClick() {
  if (Message("Are you absolutely sure you wish to uninstall Quillmark?",
              "(You must have accidentically pressed that button...)", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  const auto status = [this](const char* text) {
    SetText(LabelBusy2, text);
    Repaint();
  };

  status("Reading uninstall information");
  std::string ideDirs[IdeOptionCount];
  {
    const RegKey record = RegKey::Open(HKEY_LOCAL_MACHINE, InstallationRecordKey, KEY_ALL_ACCESS);
    uint32_t installSize = 0;
    if (!record || !record.ReadDword("InstallFilesSize", installSize)) throw std::runtime_error(NoRecordError);
    InstallFileList = ReadRecordList(record, "InstallFiles", installSize);
    for (int i = 0; i < IdeOptionCount; ++i) {
      const std::string key = IdeOptions[i].Key;
      uint32_t size = 0;
      IdeFileList[i] = record.ReadDword(key + "FilesSize", size) ? ReadRecordList(record, key + "Files", size)
                                                                  : FileList();
      // The list's files go only from the directory the record names (start-up shows the
      // same text); without one, FilesToDelete skips the list.
      if (!ReadRecordText(record, key + "Dir", ideDirs[i])) ideDirs[i].clear();
    }
  }

  status("Deleting files");
  const std::string installDir = Text(EditInstallDir);
  DeleteFiles(FilesToDelete(InstallFileList, installDir, HelpIndexRule::DeleteAlongside));
  InstallFileList.Clear();
  const std::string setupCopy = WithTrailingBackslash(installDir) + "Setup.exe";
  const bool needSweeper = !DeleteWithoutFollowing(setupCopy, ReadOnlyFiles::Delete);
  if (!needSweeper) LogAction("File deleted: " + setupCopy);
  for (int i = 0; i < IdeOptionCount; ++i) {
    DeleteFiles(FilesToDelete(IdeFileList[i], ideDirs[i], HelpIndexRule::Keep));
    IdeFileList[i].Clear();
  }

  status("Removing directory");
  // Only empty ones go. The IDE folders first: those proposed inside the installation
  // directory would otherwise keep it.
  for (int id : IdeEditIds) RemoveLoggedDirectory(Text(id));
  RemoveLoggedDirectory(installDir);

  status("Updating registry");
  DeleteRegistryKeys();
  RemoveToolsEntries();

  status("Destroying shortcuts");
  DeleteShortcuts();

  status("Uninstall complete");
  if (!SweeperNeeded(needSweeper, LongPath(SourceDir), LongPath(installDir))) {
    Message(FinalMessage, FinalCaption, MB_OK);
  } else if (Unattended()) {
    // The helper only sweeps; the message it would show is logged here.
    LogAction(std::string("Message box \"") + FinalCaption + "\": " + FinalMessage);
    LaunchSweeper(*this, "", "");
  } else {
    LaunchSweeper(*this, FinalMessage, FinalCaption);
  }
  Close();
}
