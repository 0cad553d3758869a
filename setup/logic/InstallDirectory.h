#pragma once
#include <optional>
#include <string>
#include <vector>

#include "archive/CodePage.h"
#include "archive/DestinationPath.h"

// The installation directory as every step of Install and Update uses it: completed, rooted
// and split into its folders once, by characters, from the text the user gave (typed into the
// window or given as /DIR) or the directory the record keeps.
// Path ends in one backslash: what the record, shortcuts and Tools menus name; Levels are the
// folders below the root, as extraction makes them.
struct InstallDirectory : Destination {
  std::string Root;  // "C:\" or "\\server\share\", taken as existing
};

// The directory a user may choose, or nothing. Only a full path on a drive below its root is
// taken: a relative one would land wherever the process stands, a drive root would make the
// uninstaller empty the drive's root, "/" is no separator here, "%" is never expanded, and "."
// and ".." levels could climb back to the root. A share is refused as the folder rule would
// refuse it: its permissions are the server's, and whoever can change them could replace the
// uninstaller. Trailing backslashes count once. why, when given, gets the reason of a refusal.
std::optional<InstallDirectory> ChosenInstallDirectory(const std::string& text,
                                                       const CodePage& page = ProgramCodePage(),
                                                       std::string* why = nullptr);

// A directory that need not pass the user's rule (the record's, a log's folder), or nothing
// when it has no root.
std::optional<InstallDirectory> RootedDirectory(const std::string& text, const CodePage& page = ProgramCodePage());
