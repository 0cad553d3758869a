#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "archive/FileList.h"

// What to delete of what the record names, decided without Windows: Uninstall's deletions and
// its helper, the old files an Update checks and deletes (commands/FilesInUseCheck.cpp,
// DroppedFiles.cpp), and the directory texts they compare and join.

// A record list as far as it was actually read: the whole slots of the bytes that were both
// recorded (the FilesSize value) and read back (the Files value). A missing or short value
// never makes us act on bytes we do not have.
FileList ListFromRecord(const std::vector<uint8_t>& bytesRead, int64_t recordedSize);

// The directory text with a backslash appended when it doesn't end in one.
std::string WithTrailingBackslash(const std::string& directory);

// Whether a help file ("x.hlp", any letter case) also takes the index file Windows Help made
// beside it ("x.gid") along. Only the application directory has those.
enum class HelpIndexRule { Keep, DeleteAlongside };

// The paths to delete for one list, in stored order. Names that are not plain file names
// (a corrupt or forged record) are skipped: nothing outside the directory is ever deleted.
// A directory that is not a full path ("C:\..." or "\\server\share\...": a missing or empty
// record value, say) skips the whole list, which would otherwise land in the current drive's root.
std::vector<std::string> FilesToDelete(const FileList& list, const std::string& directory,
                                       HelpIndexRule rule);

// True when both texts name the same directory, with or without a trailing backslash
// (ASCII letters compared without case). An empty text names no directory.
bool SameDirectory(const std::string& first, const std::string& second);

// The helper is started only when the copy of Setup.exe could not be deleted and the running
// program lies in the installation directory; otherwise it would be handed a file outside it.
bool SweeperNeeded(bool needSweeper, const std::string& programDirectory,
                   const std::string& installDir);
