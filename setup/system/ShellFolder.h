#pragma once
#include <string>

#include "Registry.h"

// A folder named under HKEY_CURRENT_USER "Shell Folders" ("Desktop", "Start Menu", "Programs"):
// at most 260 characters (however many bytes they take), in the program's code page. False
// when the value is missing or longer; on Windows before 10 1903 also when the system's code
// page cannot represent the folder, and that is logged as a skipped shortcut: the ...A call
// would have given "?" in its place, and the shortcut would have failed without a word.
bool ReadShellFolder(const RegKey& folders, const std::string& name, std::string& path);
