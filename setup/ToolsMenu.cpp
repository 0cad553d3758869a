// Placeholder until the Tools-menu entries land.
#include "SetupMainForm.h"
void TSetupForm::AddToolsMenuEntries() {}
