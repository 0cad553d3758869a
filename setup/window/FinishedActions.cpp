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
  if (!StartChild(ProductStart(run_.Plan().Install.Path), handle_))
    ShowMessageBox(StartYourselfText("start " + run_.Plan().Install.Path + "Quillmk.exe"), ApplicationTitle,
                   MB_OK | MB_ICONINFORMATION);
  Close();
}

void TSetupForm::HelpBtnClick() {
  // The system's viewer by its full path, as the user, with the help file, or not at all.
  if (!StartChild(HelpStart(HelpViewerPath(), run_.Plan().Install.Path), handle_))
    ShowMessageBox(StartYourselfText("open " + run_.Plan().Install.Path + "Quillmk.hlp"), ApplicationTitle,
                   MB_OK | MB_ICONINFORMATION);
}

void TSetupForm::QuitBtnClick() { Close(); }
