#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A program started by a test (normally Setup.exe): its process and its top-level windows.
namespace e2e {

// Polls condition every few milliseconds until it holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

class SetupProcess {
public:
  // Starts exePath with CreateProcessA in its own folder, as a user starting it from there.
  // The test fails when the process cannot be started.
  explicit SetupProcess(const std::string& exePath, const std::string& arguments = std::string());
  ~SetupProcess();  // ends the process if it still runs, and what it started (a help viewer)
  SetupProcess(const SetupProcess&) = delete;
  SetupProcess& operator=(const SetupProcess&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }

  bool Running() const;
  bool WaitForExit(DWORD timeoutMs) const;  // true when the process has ended in time
  DWORD ExitCode() const;
  void Kill();

  // Top-level windows of the process, in z-order; visibleOnly leaves out hidden ones.
  std::vector<HWND> Windows(bool visibleOnly) const;
  // The visible main window (the one holding the page control), or null.
  HWND MainWindow() const;
  // The splash window (the one holding the splash label), or null.
  HWND Splash() const;
  // A visible message box (dialog class "#32770"), or null.
  HWND MessageBoxWindow() const;

  // The same, waiting up to timeoutMs; null when none appeared.
  HWND WaitForMainWindow(DWORD timeoutMs = 30000) const;
  HWND WaitForMessageBox(DWORD timeoutMs = 30000) const;

private:
  HWND FirstWindow(const std::function<bool(HWND)>& accept) const;
  PROCESS_INFORMATION info_{};
};

// Runs exePath with the arguments to its end in a Windows locale of its own, as on a system of
// that language: Wine takes a process's locale from the Unix LANG it starts with (a changed
// LANG in the environment a Windows parent passes has no effect), so the program is started
// from the Unix side. No argument may hold a blank or a quote. Returns the exit code; fails
// the test and returns STILL_ACTIVE when the program has not ended within timeoutMs.
DWORD RunInLocale(const std::string& lang, const std::string& exePath, const std::vector<std::string>& arguments,
                  DWORD timeoutMs = 60000);

// Every top-level window of the desktop, in Z order.
std::vector<HWND> TopLevelWindows();
// The first window among window and its descendants with control ID id, or null.
HWND FindDescendant(HWND window, int id);
std::string ClassOf(HWND window);
std::string WindowText(HWND window);
// The text the system keeps for a window, read without sending it a message: works while
// the window's thread is busy (as during start-up), but misses what an edit field typed.
std::string StoredWindowText(HWND window);

// Ends every process whose program lies below folder (what a test has started indirectly,
// such as the installed product). Returns how many it ended.
int EndProcessesBelow(const std::string& folder);
// The ids of the processes that started each running copy of program (its full path): who
// started a child, and so with whose rights.
std::vector<DWORD> StartersOf(const std::string& program);
// Ends every running copy of program (its full path). Returns how many it ended.
int EndProcessesOf(const std::string& program);
// Ends every process that the process parentId started. Returns how many it ended.
int EndChildProcesses(DWORD parentId);
// How many processes that the process parentId started still run.
int ChildProcessCount(DWORD parentId);

}  // namespace e2e
