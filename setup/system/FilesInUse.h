#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "logic/ClosePlan.h"

// A file that a command would replace or delete and that a running program holds.
struct FileInUse {
  std::string Path;
  std::string Programs;  // the programs the Restart Manager names, "" where it names none
  std::vector<HoldingProgram> Holders;  // those programs, for closing them (no image)
};

// The files of paths that are in use. The Restart Manager names the programs; where it names
// none, an open for writing that meets a sharing violation finds the file in use all the same
// (a running program's image, a file opened without sharing write). Missing files are not in
// use, and neither are files in a folder reached through a link, which are not even opened:
// every open goes level by level from the root, relative to the held folder above. Nothing is
// changed, and no program is closed.
std::vector<FileInUse> FindFilesInUse(const std::vector<std::string>& paths);

// Files in use with no one to ask: the unattended run ends with exit code 5, nothing changed.
class EFilesInUse : public std::runtime_error {
public:
  EFilesInUse() : std::runtime_error("Files in use") {}
};
