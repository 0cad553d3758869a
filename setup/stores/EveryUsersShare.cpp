#include "EveryUsersShare.h"

#include <windows.h>

#include "logic/ActiveSetup.h"
#include "system/ActionLog.h"
#include "system/Registry.h"

namespace {
constexpr const char* ComponentsKey = "Software\\Microsoft\\Active Setup\\Installed Components";
constexpr const char* ComponentName = "Penwright.Quillmark";

std::string ComponentKey() { return std::string(ComponentsKey) + "\\" + ComponentName; }

// The system directory, where cmd.exe is: never the user's PATH or ComSpec.
std::string SystemDirectory() {
  char path[MAX_PATH + 1] = "";
  const UINT length = GetSystemDirectoryA(path, sizeof path);
  return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}
}  // namespace

void RegisterEveryUsersShare(const std::string& installedSetup, const std::string& packageVersion) {
  const std::string systemDir = SystemDirectory();
  const std::optional<ActiveSetupComponent> component =
      systemDir.empty() ? std::nullopt : ActiveSetupFor(installedSetup, systemDir, packageVersion);
  if (!component) {
    LogAction("Users get no Tools-menu entries at logon: the command cannot name " + installedSetup);
    return;
  }
  const RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, ComponentKey(), KEY_WRITE);
  if (!key) {
    LogAction("Users get no Tools-menu entries at logon: cannot create HKEY_LOCAL_MACHINE\\" + ComponentKey());
    return;
  }
  key.WriteString("", component->Name);
  key.WriteString("StubPath", component->StubPath);
  key.WriteString("Version", component->Version);
  key.WriteDword("IsInstalled", 1);
}

bool EveryUsersShareRegistered() {
  return static_cast<bool>(RegKey::Open(HKEY_LOCAL_MACHINE, ComponentKey(), KEY_READ));
}

void RemoveEveryUsersShare() {
  RegKey::Open(HKEY_LOCAL_MACHINE, ComponentsKey, KEY_ALL_ACCESS).DeleteSubtree(ComponentName);
}
