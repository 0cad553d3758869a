// Placeholder until the shortcuts land.
#include "SetupMainForm.h"
void TSetupForm::AddShortcuts() {}
