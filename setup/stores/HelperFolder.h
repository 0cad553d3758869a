#pragma once
#include <string>

// The cleanup helper's private folders under the Windows temporary directory: one per run,
// named so that no one can claim it in advance (the form is logic/NoFollowPath.h's) and created
// so that only administrators and SYSTEM can write it. Made here, and earlier runs' leftovers
// cleared here; the run that starts a helper leaves its own folder to the next restart
// (commands/Sweeper.cpp), since the helper is still running from it.

// Removes what earlier runs left (once their helpers have ended), then makes this run's folder
// and returns it with a trailing backslash. Raises a file error when it cannot be made.
std::string CreateHelperFolder();
