// Placeholder until the shell link lands.
#include "ShellLink.h"
void TShellLink::SaveToFile(const std::string&) const {}
