// The Finished page's buttons and every quit button.
#include "SetupMainForm.h"
#include "logic/QuotedPath.h"

void TSetupForm::RunBtnClick() {
  // Quoted, so that a directory with blanks cannot start another program first.
  const std::string commandLine = Quoted(run_.InstallationDir + "Quillmk.exe");
  // Show command 0: the product shows its own window. Whether it started is not examined.
  WinExec(commandLine.c_str(), SW_HIDE);
  Close();
}

void TSetupForm::HelpBtnClick() {
  const std::string helpFile = run_.InstallationDir + "Quillmk.hlp";
  WinHelpA(handle_, helpFile.c_str(), HELP_CONTENTS, 0);
}

void TSetupForm::QuitBtnClick() { Close(); }
