// Placeholder until the Install and Update commands land.
#include "SetupMainForm.h"
void TSetupForm::NowBtnClick() {}
void TSetupForm::UpdateBtnClick() {}
