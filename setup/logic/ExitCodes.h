#pragma once

// The exit codes of a run with switches, as the README and /? list them.
enum ExitCode {
  ExitDone = 0,
  ExitBadCommandLine = 1,  // also a log that cannot be opened and a refused installation directory
  ExitPackageMissing = 2,
  ExitDoneWithErrors = 3,
  ExitNothingToDo = 4,
  ExitFilesInUse = 5,
  ExitSetupRunning = 1618,  // Windows Installer's code for it, which deployment tools retry
};

// Why a run ended with ExitBadCommandLine. Each changed nothing and is the caller's to mend,
// so they share the code that deployment tools already map; the log's last line tells them
// apart. (A log that cannot be opened ends with it too, and can say nothing.)
enum class RefusalReason { CommandLine, InstallationDirectory };

struct RunEnd {
  int Code = ExitDone;
  RefusalReason Reason = RefusalReason::CommandLine;  // for ExitBadCommandLine only
};

// What the end of a run means, for the log's last line.
const char* ExitMeaning(const RunEnd& end);
