#pragma once
#include <array>
#include <string>

#include "logic/IdeOptions.h"

// The Tools-menu ("Transfer") lists of the development environments: Delphi 1 keeps its list
// in DELPHI.INI in the Windows directory, the others under HKEY_CURRENT_USER.

// Adds the product's entry (Title "&Quillmark", the directory, its Quillmk.exe, no parameters)
// to the list of every chosen environment, as entry Count; a list beyond 32 entries gets it as
// entry 32. Delphi 1's entry holds the directory in its short (8.3) form. Raises on the first
// list that cannot be edited (a text Count that is not a number, an INI key that cannot be
// written), with the list's name in the text.
// Once: a list that already holds the entry is left as it is (a user's share of a
// machine-wide installation, which Active Setup may ask for again).
enum class ToolsEntryAdding { EveryTime, Once };
void AddToolsMenuEntries(const std::array<bool, IdeOptionCount>& chosen, const std::string& installationDir,
                         ToolsEntryAdding adding = ToolsEntryAdding::EveryTime);

// Removes the first entry whose Path contains "quillmk.exe" in any letter case from every
// environment's list; the later entries move down. Each list by itself and without a box: one
// that is absent or cannot be edited keeps none of the others, and is named in the log.
void RemoveToolsMenuEntries();
