#pragma once
#include <string>

// The full path of the running program, however long. Raises an error that says why when the
// program's code page cannot represent it (only an old one can fail so).
std::string RunningProgramPath();
