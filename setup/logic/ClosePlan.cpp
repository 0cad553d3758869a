#include "ClosePlan.h"

#include <algorithm>

#include "archive/AsciiCase.h"

std::vector<HoldingProgram> ProgramsToClose(const std::vector<HoldingProgram>& running,
                                            const std::vector<std::string>& paths, uint32_t selfId) {
  std::vector<std::string> lowered;
  for (const std::string& path : paths) lowered.push_back(AsciiLower(path));
  std::vector<HoldingProgram> chosen;
  for (const HoldingProgram& program : running) {
    if (program.Id == 0 || program.Id == selfId) continue;
    if (program.Kind == ProgramKind::Service || program.Kind == ProgramKind::Shell ||
        program.Kind == ProgramKind::Critical)
      continue;
    const bool holds = program.NamedAsHolder ||
                       (!program.Image.empty() &&
                        std::find(lowered.begin(), lowered.end(), AsciiLower(program.Image)) != lowered.end());
    const bool listed = std::any_of(chosen.begin(), chosen.end(),
                                    [&](const HoldingProgram& other) { return other.Id == program.Id; });
    if (holds && !listed) chosen.push_back(program);
  }
  return chosen;
}
