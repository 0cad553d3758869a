#include "AccountPlaces.h"

AccountPlaces PlacesFor(AccountKind kind, InstallScope scope) {
  if (kind == AccountKind::LocalSystem)
    return {ShortcutFolders::AllUsers, false, true,
            "Running as SYSTEM: shortcuts go to the All Users folders; no Tools-menu entries for SYSTEM: "
            "each user gets theirs at their next logon"};
  if (scope == InstallScope::AllUsers)
    return {ShortcutFolders::AllUsers, true, true,
            "For all users: shortcuts go to the All Users folders; every other user gets their "
            "Tools-menu entries at their next logon"};
  return {ShortcutFolders::User, true, false, nullptr};
}

ShortcutCleaning ShortcutsToRemove(AccountKind kind, InstallScope scope, bool installedForEveryone) {
  if (kind == AccountKind::LocalSystem) return {false, true};
  if (scope == InstallScope::CurrentUser) return {true, false};
  return {true, scope == InstallScope::AllUsers || installedForEveryone};
}
