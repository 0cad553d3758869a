#pragma once
#include <string>

class TSetupForm;

// Writes the embedded cleanup helper into a new folder that only administrators can write,
// starts it with the running
// program's path, the message and its caption, and requests the application's end. File
// errors (EFileError) leave it with nothing started and the application still running.
void LaunchSweeper(TSetupForm& form, const std::string& message, const std::string& caption);
