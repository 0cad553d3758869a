#pragma once
#include <string>

// The launcher of the cleanup helper. (The helper program is named Sweeper too; this unit
// only writes it out and starts it.)

// Writes the embedded helper into a new folder that only administrators can write and starts
// it with the running program's path, the message and its caption; the caller then ends the
// program, whose file the helper deletes once released. File errors (EFileError) leave
// nothing started, and the program goes on.
void LaunchSweeper(const std::string& message, const std::string& caption);
