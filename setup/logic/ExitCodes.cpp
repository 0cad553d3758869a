#include "ExitCodes.h"

const char* ExitMeaning(const RunEnd& end) {
  switch (end.Code) {
    case ExitDone: return "done";
    case ExitBadCommandLine:
      switch (end.Reason) {
        case RefusalReason::InstallationDirectory: return "the installation directory is refused";
        case RefusalReason::CommandLine: break;
      }
      return "bad command line";
    case ExitPackageMissing: return "a package is missing or corrupt";
    case ExitDoneWithErrors: return "done with errors";
    case ExitNothingToDo: return "nothing to do";
    case ExitFilesInUse: return "files in use";
    case ExitSetupRunning: return "another Setup is running";
    default: return "unknown";
  }
}
