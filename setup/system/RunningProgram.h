#pragma once
#include <string>

// The full path of the running program, however long. Raises an error that says why when the
// program's code page cannot represent it (only an old one can fail so).
std::string RunningProgramPath();

// The help viewer by its full path (HelpViewer in components/ChildStart.h), found in the
// system's Windows and system directories: never a user's own (the programs are terminal-server
// aware), nor taken from the environment, which is the user's. Empty when there is none.
std::string HelpViewerPath();
