#pragma once

#include "logic/ExitCodes.h"

// /USERSETUP, which Active Setup runs as each user at logon after a machine-wide installation:
// adds this user's Tools-menu entries for the options the record names, each once. It reads
// the record and writes only the user's own settings, so it needs no administrator rights and
// leaves the installation and HKEY_LOCAL_MACHINE alone. Nothing installed: nothing to do.
RunEnd RunUserSetup();
