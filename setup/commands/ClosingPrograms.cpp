// /CLOSEAPPLICATIONS: the programs that hold files of the installation are asked to close, as
// at shutdown, so that an update succeeds where people left the product open; afterwards they
// are started again as the user.
#include <algorithm>

#include "SetupRun.h"
#include "StartChild.h"
#include "system/ActionLog.h"
#include "system/ProgramCloser.h"

#include <windows.h>

namespace {

// How long the programs together may take to close, as Windows gives them at shutdown.
constexpr unsigned CloseWaitMs = 30000;

std::string Described(const HoldingProgram& program) {
  return (program.Image.empty() ? std::string("a program") : program.Image) + " (process " +
         std::to_string(program.Id) + ")";
}

}  // namespace

void SetupRun::CloseHolders(const std::vector<std::string>& paths, const std::vector<FileInUse>& inUse) {
  // The Restart Manager's holders, with the image the process list gives them; then every
  // program whose image is one of the files (Wine's Restart Manager names none).
  std::vector<HoldingProgram> running = RunningPrograms();
  std::vector<HoldingProgram> candidates;
  for (const FileInUse& file : inUse)
    for (HoldingProgram holder : file.Holders) {
      const auto known = std::find_if(running.begin(), running.end(),
                                      [&](const HoldingProgram& p) { return p.Id == holder.Id; });
      if (known != running.end()) holder.Image = known->Image;
      candidates.push_back(holder);
    }
  candidates.insert(candidates.end(), running.begin(), running.end());
  const std::vector<HoldingProgram> toClose = ProgramsToClose(candidates, paths, GetCurrentProcessId());
  if (toClose.empty()) {
    LogAction("No program that holds these files can be closed");
    return;
  }
  // Only a program of this session can be started again for its user; one of another
  // session (another user on a terminal server) is closed and stays so.
  DWORD ownSession = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
  std::vector<bool> restartable;
  for (const HoldingProgram& program : toClose) {
    DWORD session = 0;
    restartable.push_back(ProcessIdToSessionId(program.Id, &session) && session == ownSession);
    LogAction("Asking to close: " + Described(program));
  }
  const std::vector<CloseResult> results = ClosePrograms(toClose, CloseWaitMs, Model.Closing.Force);
  for (size_t i = 0; i < toClose.size(); ++i) {
    const std::string name = Described(toClose[i]);
    switch (results[i]) {
      case CloseResult::OnRequest: LogAction("Program closed on request: " + name); break;
      case CloseResult::Ended: LogAction("Program ended by force: " + name); break;
      case CloseResult::StillRunning: LogAction("Program did not close: " + name); break;
    }
    if (results[i] != CloseResult::StillRunning && !toClose[i].Image.empty() && restartable[i])
      closedPrograms_.push_back(toClose[i].Image);
  }
}

void SetupRun::RestartClosedPrograms() {
  if (!Model.Closing.Restart) {
    for (const std::string& image : closedPrograms_) LogAction("Left closed: " + image);
    return;
  }
  for (const std::string& image : closedPrograms_) {
    // Only what is still there; never with Setup's rights (StartChild's route).
    if (GetFileAttributesA(image.c_str()) == INVALID_FILE_ATTRIBUTES) {
      LogAction("Not started again, no longer there: " + image);
      continue;
    }
    StartChild(ChildStart{image, "", SW_SHOWNORMAL}, nullptr);
    LogAction("Starting again as the user: " + image);
  }
  closedPrograms_.clear();
}
