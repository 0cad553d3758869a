#pragma once
#include <optional>

#include "archive/PackageDigests.h"

// The package digests this Setup.exe carries in its resources, inside its signature: the
// distribution's copy has them, the generic program has none. A table that cannot be read
// whole pins nothing, so that every package counts as missing rather than as sound.
std::optional<PackageDigests> CarriedPackageDigests();
