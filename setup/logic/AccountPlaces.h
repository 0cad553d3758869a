#pragma once

#include "SetupSwitches.h"

// Whom the process runs as: a person (elevated or not), or the local SYSTEM account that
// deployment tools and services use.
enum class AccountKind { Person, LocalSystem };

// Where the shortcuts go: the folders the user's "Shell Folders" values name, or the All Users
// folders (common desktop, common Start Menu, common Programs).
enum class ShortcutFolders { User, AllUsers };

// What a run writes outside the installation directory that belongs to someone.
struct AccountPlaces {
  ShortcutFolders Shortcuts;
  bool ToolsMenuEntries;  // the IDE's Tools-menu lists under the account's own profile
  bool EveryUser;         // every user's entries at their next logon (Active Setup)
  const char* LogNote;    // why the run differs from a person's; nullptr when it does not
};

// SYSTEM's own desktop and IDE settings are seen by no one: its shortcuts go to All Users, and
// every user gets their Tools-menu entries at their next logon instead of SYSTEM. A person's
// run is theirs alone (also elevated: the Tools-menu lists are per user anyway), unless
// /ALLUSERS asks for everyone's share; then the person's own entries come at once.
AccountPlaces PlacesFor(AccountKind kind, InstallScope scope);

// The folders Uninstall removes the shortcut from: the person's own, and the All Users ones
// where the installation was made for everyone (SYSTEM, /ALLUSERS, or the every-user
// component is found), unless /CURRENTUSER keeps the run to the person's own.
struct ShortcutCleaning {
  bool User;
  bool AllUsers;
};
ShortcutCleaning ShortcutsToRemove(AccountKind kind, InstallScope scope, bool installedForEveryone);
