#pragma once

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
  const char* LogNote;    // why the run differs from a person's; nullptr when it does not
};

// SYSTEM's own desktop and IDE settings are seen by no one: its shortcuts go to All Users,
// and it adds no Tools-menu entries, which live in each user's IDE settings.
AccountPlaces PlacesFor(AccountKind kind);
