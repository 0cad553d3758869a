#pragma once
#include <cstdint>
#include <string>

#include "archive/HexText.h"

// Setup runs elevated and must not be steered by folders the user owns: a path from the
// user's side is walked level by level, each level opened without following a junction or
// symbolic link and kept open, and checked by what the open handle says it is.

enum class LevelKind { Missing, Directory, File, ReparsePoint };

struct LevelFacts {
  LevelKind Kind = LevelKind::Missing;
  std::string FinalPath;  // what the open handle names, as GetFinalPathNameByHandle says
};

// Opens one level of a path without following links and keeps it open until the opener goes,
// so that it cannot be swapped while Setup works below it.
class LevelOpener {
public:
  virtual ~LevelOpener() = default;
  virtual LevelFacts Open(const std::string& level) = 0;
};

// Safe: every level is a plain directory that is what its path says. Missing: a level does not
// exist (writing there fails as usual). Redirected: the path is not a full one, or a level is
// a junction, a symbolic link, a file, or names another place: the step is skipped.
enum class FolderCheck { Safe, Missing, Redirected };
FolderCheck CheckFolder(const std::string& folder, LevelOpener& opener);

// archive/FinalPath.h's SameFinalPath for texts.
bool SameFinalPath(const std::string& finalPath, const std::string& path);


// The private folder of one run of the cleanup helper: a fixed prefix and 32 hexadecimal
// digits of random bytes, so that no one can claim it in advance, and a later run can
// recognise its predecessors' leftovers and nothing else.
std::string HelperFolderName(const uint8_t (&random)[16]);
bool IsHelperFolderName(const std::string& name);
// What a search for such folders asks for ("QmSweeper-*"); IsHelperFolderName has the last word.
std::string HelperFolderPattern();
