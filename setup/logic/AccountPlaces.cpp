#include "AccountPlaces.h"

AccountPlaces PlacesFor(AccountKind kind) {
  if (kind == AccountKind::LocalSystem)
    return {ShortcutFolders::AllUsers, false,
            "Running as SYSTEM: shortcuts go to the All Users folders; no Tools-menu entries, "
            "which belong to each user's IDE settings"};
  return {ShortcutFolders::User, true, nullptr};
}
