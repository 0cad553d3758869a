#include "ExitCodes.h"

#include <gtest/gtest.h>

namespace {

// The log's last line names the real reason for exit code 1.
TEST(ExitMeaning, NamesTheReasonForEachCode) {
  const struct {
    RunEnd end;
    const char* meaning;
  } rows[] = {
      {{ExitDone}, "done"},
      {{ExitBadCommandLine}, "bad command line"},
      {{ExitBadCommandLine, RefusalReason::InstallationDirectory}, "the installation directory is refused"},
      {{ExitDone, RefusalReason::InstallationDirectory}, "done"},
      {{ExitPackageMissing}, "a package is missing or corrupt"},
      {{ExitDoneWithErrors}, "done with errors"},
      {{ExitNothingToDo}, "nothing to do"},
      {{ExitFilesInUse}, "files in use"},
      {{ExitSetupRunning}, "another Setup is running"},
      {{3010}, "unknown"},
  };
  for (const auto& row : rows) EXPECT_STREQ(ExitMeaning(row.end), row.meaning) << row.end.Code;
}

}  // namespace
