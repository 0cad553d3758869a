#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Which running programs /CLOSEAPPLICATIONS may close: those that hold a file Setup would
// replace or delete, and no others.

// What kind of program holds a file, as the Restart Manager tells it; Application for one found
// by its image.
enum class ProgramKind { Application, Console, Service, Shell, Critical };

struct HoldingProgram {
  uint32_t Id = 0;
  std::string Image;        // the program's file, a full path; "" when unknown
  ProgramKind Kind = ProgramKind::Application;
  bool NamedAsHolder = false;  // the Restart Manager names it for one of the files
};

// The programs to close, each once, in the order given (the first entry of a process decides): those named as holders, or whose image
// is one of paths (ASCII letters in any case; Windows' Restart Manager names them, Wine's
// names none, and a running program's image is held by the program itself). Never Setup
// itself (selfId), and never a service, the desktop's shell or a program Windows cannot do
// without: closing those is not an installer's to decide.
std::vector<HoldingProgram> ProgramsToClose(const std::vector<HoldingProgram>& running,
                                            const std::vector<std::string>& paths, uint32_t selfId);
