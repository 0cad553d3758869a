#include "driver/SetupProcess.h"

#include <tlhelp32.h>

#include <cstdint>

#include <gtest/gtest.h>

#include "ControlIds.h"
#include "driver/Files.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

SetupProcess::SetupProcess(const std::string& exePath, const std::string& arguments) {
  const std::string folder = exePath.substr(0, exePath.find_last_of('\\') + 1);
  std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info_)) {
    info_ = PROCESS_INFORMATION{};
    ADD_FAILURE() << "cannot start " << exePath << " (error " << GetLastError() << ")";
  }
}

SetupProcess::~SetupProcess() {
  Kill();
  if (info_.hProcess) EndChildProcesses(Id());
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool SetupProcess::Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool SetupProcess::WaitForExit(DWORD timeoutMs) const {
  return !info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD SetupProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void SetupProcess::Kill() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

std::vector<HWND> SetupProcess::Windows(bool visibleOnly) const {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == Id() && (!visibleOnly || IsWindowVisible(window))) found.push_back(window);
  }
  return found;
}

HWND SetupProcess::FirstWindow(const std::function<bool(HWND)>& accept) const {
  for (HWND window : Windows(true)) {
    if (accept(window)) return window;
  }
  return nullptr;
}

HWND SetupProcess::MainWindow() const {
  return FirstWindow([](HWND window) { return FindDescendant(window, Pages) != nullptr; });
}

HWND SetupProcess::Splash() const {
  return FirstWindow([](HWND window) { return FindDescendant(window, SplashLabel) != nullptr; });
}

HWND SetupProcess::MessageBoxWindow() const {
  return FirstWindow([](HWND window) { return ClassOf(window) == "#32770"; });
}

HWND SetupProcess::WaitForMainWindow(DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = MainWindow()) != nullptr || !Running(); }, timeoutMs);
  return found;
}

HWND SetupProcess::WaitForMessageBox(DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = MessageBoxWindow()) != nullptr || !Running(); }, timeoutMs);
  return found;
}

DWORD RunInLocale(const std::string& lang, const std::string& exePath, const std::vector<std::string>& arguments,
                  DWORD timeoutMs) {
  // The Unix side tells the exit code through a file, written whole by a rename.
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  static int runs = 0;
  const std::string windowsExitFile =
      std::string(temp) + "qm-exit-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
  const std::string exitFile = UnixPath(windowsExitFile);
  EXPECT_FALSE(exitFile.empty());
  std::string script = "LC_ALL= LANG=" + lang + " WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree=d;mshtml=d' wine '" + exePath + "'";
  for (const std::string& argument : arguments) script += " '" + argument + "'";
  script += "; echo $? >'" + exitFile + ".tmp' && mv '" + exitFile + ".tmp' '" + exitFile + "'";
  std::string commandLine = "Z:\\bin\\sh -c \"" + script + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
    return STILL_ACTIVE;
  }
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  // Wine gives no handle to wait on for a Unix program.
  std::string code;
  WaitUntil([&] { return !(code = ReadTextFile(windowsExitFile)).empty(); }, timeoutMs);
  DeleteFileA(windowsExitFile.c_str());
  EXPECT_FALSE(code.empty()) << exePath << " did not end in time";
  return code.empty() ? STILL_ACTIVE : static_cast<DWORD>(std::stoul(code));
}

HWND FindDescendant(HWND window, int id) {
  if (!window) return nullptr;
  if (GetDlgCtrlID(window) == id && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) return window;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (HWND found = FindDescendant(child, id)) return found;
  }
  return nullptr;
}

namespace {
// Windows calls it with its own convention (stdcall in 32-bit code): never a plain lambda.
BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowText(HWND window) {
  // WM_GETTEXT, which the system carries across processes, with a timeout against a hung target.
  char text[4096] = "";
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                           &copied))
    return std::string();
  return std::string(text, copied);
}

std::string StoredWindowText(HWND window) {
  // For a window of another process GetWindowTextA reads the system's copy and sends nothing.
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

namespace {

// Ends each running process for which select(entry, process) holds; returns how many.
// With end false it only counts them.
int EndProcessesWhere(const std::function<bool(const PROCESSENTRY32&, HANDLE)>& select, bool end = true) {
  int ended = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                 entry.th32ProcessID);
    if (!process) continue;
    // A process that has ended but is still held open is no longer running.
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT && select(entry, process)) {
      if (end) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
      }
      ++ended;
    }
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return ended;
}

}  // namespace

int EndProcessesBelow(const std::string& folder) {
  return EndProcessesWhere([&](const PROCESSENTRY32&, HANDLE process) {
    char image[MAX_PATH] = "";
    DWORD size = sizeof image;
    return QueryFullProcessImageNameA(process, 0, image, &size) && size > folder.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image, static_cast<int>(folder.size()), folder.c_str(),
                          static_cast<int>(folder.size())) == CSTR_EQUAL;
  });
}

namespace {
bool Runs(HANDLE process, const std::string& program) {
  char image[MAX_PATH] = "";
  DWORD size = sizeof image;
  return QueryFullProcessImageNameA(process, 0, image, &size) &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image, static_cast<int>(size), program.c_str(),
                        static_cast<int>(program.size())) == CSTR_EQUAL;
}
}  // namespace

std::vector<DWORD> StartersOf(const std::string& program) {
  std::vector<DWORD> starters;
  EndProcessesWhere(
      [&](const PROCESSENTRY32& entry, HANDLE process) {
        if (Runs(process, program)) starters.push_back(entry.th32ParentProcessID);
        return false;
      },
      false);
  return starters;
}

int EndProcessesOf(const std::string& program) {
  return EndProcessesWhere([&](const PROCESSENTRY32&, HANDLE process) { return Runs(process, program); });
}

namespace {
uint64_t CreationTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return static_cast<uint64_t>(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

// A process the one of parentId started. Process ids are used again, and a process keeps the id
// of its parent after that has ended: one older than the parent was started by another. Wine's
// desktop (explorer.exe) is started by whichever program first shows a window, Setup too, and
// serves every later one: it is no child of the test's.
std::function<bool(const PROCESSENTRY32&, HANDLE)> StartedBy(DWORD parentId) {
  HANDLE parent = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parentId);
  const uint64_t parentCreated = parent ? CreationTime(parent) : 0;
  if (parent) CloseHandle(parent);
  return [=](const PROCESSENTRY32& entry, HANDLE process) {
    return entry.th32ParentProcessID == parentId && CreationTime(process) >= parentCreated &&
           lstrcmpiA(entry.szExeFile, "explorer.exe") != 0;
  };
}
}  // namespace

int EndChildProcesses(DWORD parentId) { return EndProcessesWhere(StartedBy(parentId)); }

int ChildProcessCount(DWORD parentId) { return EndProcessesWhere(StartedBy(parentId), false); }

}  // namespace e2e
