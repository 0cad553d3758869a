#include "ProgramCloser.h"

#include <windows.h>
#include <tlhelp32.h>

#include "ProgramText.h"

namespace {

struct WindowSearch {
  DWORD ProcessId;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->ProcessId) search->Found.push_back(window);
  return TRUE;
}

// Every top-level window of the process, hidden ones too: a program may keep its main window
// hidden and still close with it.
std::vector<HWND> TopLevelWindows(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// A program that hangs must not hold Setup: each message waits a few seconds at most.
constexpr UINT MessageWaitMs = 5000;

void AskToClose(DWORD processId) {
  for (HWND window : TopLevelWindows(processId)) {
    DWORD_PTR agreed = 0;
    if (SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, MessageWaitMs,
                            &agreed) &&
        agreed) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, MessageWaitMs, &ignored);
    }
    // Also where it declined: a program that asks its user first will not close unattended,
    // and then is only ended with force.
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
}

}  // namespace

std::vector<HoldingProgram> RunningPrograms() {
  std::vector<HoldingProgram> programs;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return programs;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
    if (process == nullptr) continue;
    WCHAR image[32768];
    DWORD length = sizeof image / sizeof image[0];
    if (QueryFullProcessImageNameW(process, 0, image, &length)) {
      if (const std::optional<std::string> text = ProgramText(std::wstring(image, length)))
        programs.push_back({entry.th32ProcessID, *text, ProgramKind::Application, false});
    }
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return programs;
}

std::vector<CloseResult> ClosePrograms(const std::vector<HoldingProgram>& programs, unsigned waitMs, bool force) {
  std::vector<HANDLE> processes;
  std::vector<DWORD> openErrors;
  for (const HoldingProgram& program : programs) {
    processes.push_back(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, program.Id));
    openErrors.push_back(processes.back() == nullptr ? GetLastError() : ERROR_SUCCESS);
    AskToClose(program.Id);
  }
  const ULONGLONG deadline = GetTickCount64() + waitMs;
  std::vector<CloseResult> results;
  for (size_t i = 0; i < processes.size(); ++i) {
    const HANDLE process = processes[i];
    if (process == nullptr) {
      // Gone before it could be opened, or not Setup's to wait for or end.
      results.push_back(openErrors[i] == ERROR_INVALID_PARAMETER ? CloseResult::OnRequest : CloseResult::StillRunning);
      continue;
    }
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    CloseResult result = CloseResult::OnRequest;
    if (WaitForSingleObject(process, left) != WAIT_OBJECT_0) {
      result = CloseResult::StillRunning;
      if (force && TerminateProcess(process, 1) && WaitForSingleObject(process, MessageWaitMs) == WAIT_OBJECT_0)
        result = CloseResult::Ended;
    }
    results.push_back(result);
    CloseHandle(process);
  }
  return results;
}
