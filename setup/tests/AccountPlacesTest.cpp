#include "AccountPlaces.h"

#include <gtest/gtest.h>

namespace {

// Who runs, and for whom: where shortcuts go, whose Tools-menu entries are written now, and
// whether every user gets theirs at the next logon; and where Uninstall looks for shortcuts.
TEST(PlacesFor, ChoosesShortcutsToolsEntriesAndEveryUsersShareByAccountAndScope) {
  const auto P = AccountKind::Person;
  const auto S = AccountKind::LocalSystem;
  const auto U = ShortcutFolders::User;
  const auto A = ShortcutFolders::AllUsers;
  struct Row {
    AccountKind kind;
    InstallScope scope;
    ShortcutFolders shortcuts;
    bool tools, everyUser, note;
    bool removeUser, removeAll, removeAllWhenFound;  // Uninstall: not found, found for everyone
  };
  const Row rows[] = {
      {P, InstallScope::Unstated, U, true, false, false, true, false, true},
      {P, InstallScope::CurrentUser, U, true, false, false, true, false, false},
      {P, InstallScope::AllUsers, A, true, true, true, true, true, true},
      {S, InstallScope::Unstated, A, false, true, true, false, true, true},
      {S, InstallScope::AllUsers, A, false, true, true, false, true, true},
      {S, InstallScope::CurrentUser, A, false, true, true, false, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.kind) << " " << static_cast<int>(row.scope));
    const AccountPlaces places = PlacesFor(row.kind, row.scope);
    EXPECT_EQ(places.Shortcuts, row.shortcuts);
    EXPECT_EQ(places.ToolsMenuEntries, row.tools);
    EXPECT_EQ(places.EveryUser, row.everyUser);
    EXPECT_EQ(places.LogNote != nullptr, row.note);
    const ShortcutCleaning plain = ShortcutsToRemove(row.kind, row.scope, false);
    const ShortcutCleaning found = ShortcutsToRemove(row.kind, row.scope, true);
    EXPECT_EQ(plain.User, row.removeUser);
    EXPECT_EQ(found.User, row.removeUser);
    EXPECT_EQ(plain.AllUsers, row.removeAll);
    EXPECT_EQ(found.AllUsers, row.removeAllWhenFound);
  }
}

}  // namespace
