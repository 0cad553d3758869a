// Placeholder until the start-up analysis lands.
#include "SetupMainForm.h"
void TSetupForm::FormCreate() {}
void TSetupForm::ScanPackage(const std::string&, int, PackageInfo&) {}
