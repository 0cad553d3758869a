#pragma once
#include <string>

#include "logic/IdeOptions.h"

// The Tools-menu ("Transfer") lists of the development environments: Delphi 1 keeps its list
// in DELPHI.INI in the Windows directory, the others under HKEY_CURRENT_USER.

// Adds the product's entry (Title "&Quillmark", the directory, its Quillmk.exe, no parameters)
// as entry Count of the list below HKEY_CURRENT_USER; a list beyond 32 entries gets it as
// entry 32. Raises when a text Count is not a number.
void AddRegistryToolsEntry(const std::string& keyPath, CountForm countForm,
                           const std::string& installationDir);

// The same for DELPHI.INI, with the directory in its short (8.3) form. Raises when a key
// cannot be written.
void AddIniToolsEntry(const std::string& installationDir);

// Removes the first entry whose Path contains "quillmk.exe" in any letter case; the later
// entries move down. Both raise on a Count text that is not a number (registry) or a key
// that cannot be written (INI); the caller guards each list by itself.
void RemoveRegistryToolsEntry(const std::string& keyPath, CountForm countForm);
void RemoveIniToolsEntry();
