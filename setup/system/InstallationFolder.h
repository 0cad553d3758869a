#pragma once
#include <stdexcept>
#include <string>

#include "logic/InstallDirectory.h"

// An installation directory Setup refuses (logic/FolderTrust.h); the text names the folder and
// the reason. Raised before anything has changed.
class EUnsafeFolder : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Makes the installation directory Setup's own before anything else changes: every existing
// folder of the path is opened without following links, held, and checked; then the missing
// ones are created inside them by handle, with the protected DACL of the product's folders, so
// that no one can make one of them first. Raises EUnsafeFolder when refused, EFileError when a
// folder cannot be created.
void ClaimInstallationDirectory(const InstallDirectory& installDir);
