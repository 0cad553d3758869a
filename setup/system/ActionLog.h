#pragma once
#include <string>

// The log of a run that named one (/LOG=): one line per action, with its time. Without an
// open log every call does nothing, so a plain run writes no file.

// Opens the file for appending (it is created when missing, never cut short), relative to its
// folder, held. False when it cannot be opened, or only through a junction or link, or it has a
// second name (a hard link); run elevated (or as SYSTEM), also when the file or a folder of its
// path is one the installation directory's rule would refuse, the user who started Setup
// trusted besides when an administrator. A file it made and then refused is deleted again.
bool OpenActionLog(const std::string& path);
// Why the last OpenActionLog failed, for the box or the caller.
const std::string& ActionLogRefusal();
// Appends "<date> <time>  <text>" as UTF-8. The text is in the program's code page (UTF-8, or
// the system's code page on Windows before 10 1903), or already in UTF-8 where it names what
// that code page cannot.
enum class LogText { Program, Utf8 };
void LogAction(const std::string& text, LogText encoding = LogText::Program);
// Whether a log is open: for facts that cost something to gather only for the log.
bool ActionLogOpen();
