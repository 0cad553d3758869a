// Placeholder until the installation record lands.
#include "SetupMainForm.h"
void TSetupForm::WriteInstallationRecord() {}
