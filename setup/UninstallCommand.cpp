// Placeholder until the Uninstall command lands.
#include "SetupMainForm.h"
void TSetupForm::UninstallBtnClick() {}
