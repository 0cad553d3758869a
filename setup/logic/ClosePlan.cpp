#include "ClosePlan.h"

#include <algorithm>

#include "archive/AsciiCase.h"

std::vector<HoldingProgram> ProgramsToClose(const std::vector<HoldingProgram>& running,
                                            const std::vector<std::string>& paths, uint32_t selfId) {
  std::vector<std::string> lowered;
  for (const std::string& path : paths) lowered.push_back(AsciiLower(path));
  std::vector<HoldingProgram> chosen;
  std::vector<uint32_t> seen;  // the first entry of a process decides, also against closing it
  for (const HoldingProgram& program : running) {
    if (program.Id == 0 || program.Id == selfId) continue;
    if (std::find(seen.begin(), seen.end(), program.Id) != seen.end()) continue;
    seen.push_back(program.Id);
    if (program.Kind == ProgramKind::Service || program.Kind == ProgramKind::Shell ||
        program.Kind == ProgramKind::Critical)
      continue;
    const bool holds = program.NamedAsHolder ||
                       (!program.Image.empty() &&
                        std::find(lowered.begin(), lowered.end(), AsciiLower(program.Image)) != lowered.end());
    if (holds) chosen.push_back(program);
  }
  return chosen;
}
