// The Finished page's buttons and every quit button.
#include "SetupMainForm.h"
#include "StartChild.h"
#include "system/RunningProgram.h"

void TSetupForm::RunBtnClick() {
  // As the user who started Setup, not with its rights; show command 0: the product shows its
  // own window. Whether it started is not examined.
  StartChild(ProductStart(run_.InstallationDir), handle_);
  Close();
}

void TSetupForm::HelpBtnClick() {
  // The system's viewer by its full path, as the user, with the help file.
  StartChild(HelpStart(HelpViewerPath(), run_.InstallationDir), handle_);
}

void TSetupForm::QuitBtnClick() { Close(); }
