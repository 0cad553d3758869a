#pragma once
#include <string>

#include "logic/RunModel.h"

// The shortcuts "Quillmark.lnk" in the user's Desktop, Start Menu and Programs folders, as the
// "Shell Folders" values name them, or in the All Users ones: made and removed here only.

// Makes a shortcut to the product in every chosen folder. A folder reached through a junction
// or link is skipped like a missing value; the first shortcut that cannot be saved raises.
void AddShortcuts(const ShortcutChoices& choices, const std::string& installationDir, ShortcutFolders source);

// Removes the shortcut from every folder without a box: a missing one is no concern, one that
// stays is named in the log.
void RemoveShortcuts(ShortcutFolders source);
