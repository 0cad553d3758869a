#pragma once
#include <string>

// The cleanup helper's private folders under the Windows temporary directory: one per run,
// named so that no one can claim it in advance ("QmSweeper-" and 32 random hexadecimal digits)
// and created so that only administrators and SYSTEM can write it. Made and cleared here only.

// Removes what earlier runs left (once their helpers have ended), then makes this run's folder
// and returns it with a trailing backslash. Raises a file error when it cannot be made.
std::string CreateHelperFolder();
