#pragma once
#include <string>

#include "common/NoFollowDelete.h"

// Deletion without following links (common/NoFollowDelete.h) that says in the log how it went:
// "<item> <done>: <path>" when the file or folder went, "<item> not <done>: <path> (<the
// system's reason>)" when it stays. Nothing at the path is nothing to delete: no line. The
// commands go on either way; the log is where an administrator finds what was left.
bool DeleteLogged(const std::string& path, const char* item = "File", const char* done = "deleted",
                  ReadOnlyFiles readOnly = ReadOnlyFiles::Keep);
// An empty folder: "Directory removed", or why not (a folder still holding files says so).
bool RemoveFolderLogged(const std::string& path);
