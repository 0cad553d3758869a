#include "FilesInUse.h"

#include "ProgramText.h"

#include <windows.h>
#include <winternl.h>

#include <memory>

#include "NoFollow.h"
#include "archive/CodePage.h"
#include "archive/LevelOpenWin32.h"
#include "logic/ErrorText.h"

namespace {

// The Restart Manager's types (rstrtmgr.dll), which mingw ships no header for.
struct RmUniqueProcess {
  DWORD ProcessId;
  FILETIME StartTime;
};
struct RmProcessInfo {
  RmUniqueProcess Process;
  WCHAR AppName[256];
  WCHAR ServiceShortName[64];
  int ApplicationType;
  ULONG AppStatus;
  DWORD SessionId;
  BOOL Restartable;
};
using RmStartSessionFn = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR*);
using RmEndSessionFn = DWORD(WINAPI*)(DWORD);
using RmRegisterResourcesFn = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR*, UINT, RmUniqueProcess*, UINT, LPCWSTR*);
using RmGetListFn = DWORD(WINAPI*)(DWORD, UINT*, UINT*, RmProcessInfo*, DWORD*);

// RM_APP_TYPE: what may be closed depends on it.
ProgramKind KindOf(int applicationType) {
  switch (applicationType) {
    case 3: return ProgramKind::Service;    // RmService
    case 4: return ProgramKind::Shell;      // RmExplorer
    case 5: return ProgramKind::Console;    // RmConsole
    case 1000: return ProgramKind::Critical;  // RmCritical
    default: return ProgramKind::Application;  // RmUnknownApp, RmMainWindow, RmOtherWindow
  }
}

// Loaded at run time from the system directory: the programs import only Known DLLs.
class RestartManager {
public:
  RestartManager() : library_(LoadLibraryExA("rstrtmgr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (library_ == nullptr) return;
    start_ = reinterpret_cast<RmStartSessionFn>(reinterpret_cast<void*>(GetProcAddress(library_, "RmStartSession")));
    end_ = reinterpret_cast<RmEndSessionFn>(reinterpret_cast<void*>(GetProcAddress(library_, "RmEndSession")));
    register_ = reinterpret_cast<RmRegisterResourcesFn>(
        reinterpret_cast<void*>(GetProcAddress(library_, "RmRegisterResources")));
    list_ = reinterpret_cast<RmGetListFn>(reinterpret_cast<void*>(GetProcAddress(library_, "RmGetList")));
  }
  ~RestartManager() {
    if (library_ != nullptr) FreeLibrary(library_);
  }
  RestartManager(const RestartManager&) = delete;
  RestartManager& operator=(const RestartManager&) = delete;

  // The programs that hold the file, joined by ", "; empty when none is named or the
  // Restart Manager is not there. Each also joins holders.
  std::string ProgramsHolding(const std::string& path, std::vector<HoldingProgram>& holders) const {
    if (!start_ || !end_ || !register_ || !list_) return std::string();
    const std::wstring wide = WideText(path);
    DWORD session = 0;
    WCHAR key[33] = {};
    if (start_(&session, 0, key) != ERROR_SUCCESS) return std::string();
    std::string programs;
    LPCWSTR files[] = {wide.c_str()};
    if (register_(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
      UINT needed = 0, count = 0;
      DWORD reasons = 0;
      std::vector<RmProcessInfo> infos;
      DWORD result = list_(session, &needed, &count, nullptr, &reasons);
      if (result == ERROR_MORE_DATA && needed > 0) {
        infos.resize(needed);
        count = needed;
        result = list_(session, &needed, &count, infos.data(), &reasons);
      }
      if (result == ERROR_SUCCESS)
        for (UINT i = 0; i < count && i < infos.size(); ++i) {
          // The holder names itself: no line break or direction mark of its choosing reaches a box.
          std::string name = ShownProgramName(ProgramText(infos[i].AppName).value_or("?"));
          if (name.empty()) name = "process " + std::to_string(infos[i].Process.ProcessId);
          programs += (programs.empty() ? "" : ", ") + name;
          holders.push_back({infos[i].Process.ProcessId, "", KindOf(infos[i].ApplicationType), true});
        }
    }
    end_(session);
    return programs;
  }

private:
  HMODULE library_;
  RmStartSessionFn start_ = nullptr;
  RmEndSessionFn end_ = nullptr;
  RmRegisterResourcesFn register_ = nullptr;
  RmGetListFn list_ = nullptr;
};

// Whether the file of that name in the held folder is in use: the open changes nothing; only a
// sharing violation means "in use" (a read-only or protected file refuses for another reason,
// and is no one's). Opened relative to the folder, never through a link.
bool RefusesWriting(HANDLE folder, const std::string& name) {
  DWORD error = 0;
  const OwnedHandle file = OpenInFolder(folder, name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        FILE_OPEN, FILE_NON_DIRECTORY_FILE, error);
  return !file && error == ERROR_SHARING_VIOLATION;
}

// Whether name in the held folder (its path folderPath) is a plain file there: not missing, no
// folder, no link (Wine follows a file link even so: then the handle names another place).
bool PlainFileIn(HANDLE folder, const std::string& folderPath, const std::string& name) {
  DWORD error = 0;
  const OwnedHandle file =
      OpenInFolder(folder, name, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                   FILE_OPEN, FILE_NON_DIRECTORY_FILE, error);
  return file && !IsNameSurrogate(file.Get()) && SameFinalPath(FinalPathOf(file.Get()), folderPath + name);
}

}  // namespace

std::vector<FileInUse> FindFilesInUse(const std::vector<std::string>& paths) {
  const RestartManager manager;
  std::vector<FileInUse> inUse;
  // Each folder is walked down and held once, for the files of it that follow one another.
  std::string folderPath;
  std::unique_ptr<HeldLevels> folder;
  bool folderSafe = false;
  for (const std::string& path : paths) {
    const size_t cut = FindLastAscii(path, '\\') + 1;
    if (cut == 0) continue;
    if (!folder || path.compare(0, cut, folderPath) != 0) {
      folderPath = path.substr(0, cut);
      folder = std::make_unique<HeldLevels>();
      // A folder behind a link is not looked into at all: the command refuses it afterwards.
      folderSafe = CheckFolder(folderPath, *folder) == FolderCheck::Safe && folder->Deepest() != nullptr;
    }
    const std::string name = path.substr(cut);
    if (!folderSafe || !PlainFileIn(folder->Deepest(), folderPath, name)) continue;
    // The folders are held, so the Restart Manager's look by path finds this very file.
    std::vector<HoldingProgram> holders;
    const std::string programs = manager.ProgramsHolding(path, holders);
    if (!programs.empty() || RefusesWriting(folder->Deepest(), name)) inUse.push_back({path, programs, holders});
  }
  return inUse;
}
