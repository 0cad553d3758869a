#pragma once
#include <functional>
#include <string>
#include <vector>

#include "archive/FileList.h"

// What the record keeps when a command could not do all it set out to do: it never names
// as installed what is not, and never forgets a file that is still there.

// The version an Install or Update records. A failed extraction of the application package
// keeps the version installed before (the next start offers the same update again); a failed
// fresh install records an empty text, which equals no package version, so that the next
// start offers Install (the program missing) or Update (the program there), never "nothing
// to do".
std::string VersionToRecord(bool applicationExtracted, const std::string& packageVersion,
                            const std::string& installedVersion);

// The plain names of the old list that the new list no longer carries (ASCII letters
// compared without case), each once, in the old list's order: the files an update deletes.
std::vector<std::string> DroppedNames(const FileList& oldList, const FileList& newList);

// The list followed by the names given that it does not hold yet: the new list of an update
// with the old files it could not delete, so that Uninstall still finds them.
FileList WithNamesKept(const FileList& list, const std::vector<std::string>& kept);

// The names of a record list whose files remain after Uninstall's deletions, as remains(path)
// tells for each file of the list in directory (the paths FilesToDelete gives). A name that
// is not a plain file name, or a directory that is not a full path, is never deleted and so
// never kept: it would hold the record for good.
FileList NamesLeft(const FileList& list, const std::string& directory,
                   const std::function<bool(const std::string& path)>& remains);

// True when a list holds at least one name.
bool HoldsNames(const FileList& list);
