// The Finished page's buttons and every quit button.
#include "SetupMainForm.h"
#include "StartChild.h"
#include "system/RunningProgram.h"

std::string StartYourselfText(const std::string& what) {
  return "Setup runs with administrator rights and no desktop of yours answers, so it starts no program: " + what +
         " yourself.";
}

void TSetupForm::RunBtnClick() {
  // As the user who started Setup, not with its rights, or not at all; show command 0: the
  // product shows its own window. Whether it started is not examined; Run always closes.
  const std::string program = run_.Plan().Install.Path + ProductProgramName;
  if (!StartChild(ProductStart(program), handle_))
    ShowMessageBox(StartYourselfText("start " + program), ApplicationTitle,
                   MB_OK | MB_ICONINFORMATION);
  Close();
}

void TSetupForm::HelpBtnClick() {
  // The system's viewer by its full path, as the user, with the help file, or not at all.
  const std::string helpFile = run_.Plan().Install.Path + ProductHelpName;
  if (!StartChild(HelpStart(HelpViewerPath(), helpFile), handle_))
    ShowMessageBox(StartYourselfText("open " + helpFile), ApplicationTitle,
                   MB_OK | MB_ICONINFORMATION);
}

void TSetupForm::QuitBtnClick() { Close(); }
