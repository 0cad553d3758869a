#include "Sweeper.h"

#include "archive/ByteFile.h"  // before <windows.h>, whose CreateDirectory macro would rename ours

#include <windows.h>
#undef CreateDirectory

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "system/ActionLog.h"
#include "system/NoFollow.h"
#include "system/RunningProgram.h"
#include "stores/HelperFolder.h"
#include "logic/SweeperCommand.h"

// The helper runs with Setup's rights, so it runs from a private folder of its own (see
// HelperFolder), which the next restart removes.
namespace {
struct HelperImage {
  const uint8_t* Bytes = nullptr;
  uint32_t Size = 0;
};

// Taken at once: building the text around it may change the last error.
std::string SystemText() { return SystemErrorText(GetLastError()); }

HelperImage LoadHelperImage() {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC resource = FindResourceA(module, "SWEEPER", RT_RCDATA);
  const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  HelperImage image;
  if (loaded) {
    image.Bytes = static_cast<const uint8_t*>(LockResource(loaded));
    image.Size = SizeofResource(module, resource);
  }
  if (!image.Bytes || image.Size == 0) throw std::runtime_error("The cleanup helper is missing from Setup");
  return image;
}

void WriteHelper(const std::string& path, const HelperImage& image) {
  ByteFile file;
  file.Open(path, ByteFile::Mode::Create);
  if (file.Write(image.Bytes, image.Size) != image.Size)
    throw EFileError("Cannot write file", path, SystemText());
  file.Close();
}

// Opened for reading, shared for reading only: no one can write or delete it until the
// process has started (the start itself only reads). Before it runs, the open file must be
// the helper's bytes at the very path we start.
OwnedHandle LockAndVerifyHelper(const std::string& path, const HelperImage& image) {
  OwnedHandle lock = OpenPlainFile(path, GENERIC_READ, FILE_SHARE_READ);
  if (!lock) throw EFileError("Cannot start file", path, "It is not the file Setup wrote");
  std::vector<uint8_t> onDisk(image.Size + 1);
  DWORD read = 0;
  const bool same = ReadFile(lock.Get(), onDisk.data(), static_cast<DWORD>(onDisk.size()), &read, nullptr) &&
                    read == image.Size && std::equal(image.Bytes, image.Bytes + image.Size, onDisk.begin());
  if (!same) throw EFileError("Cannot start file", path, "It was changed by another program");
  return lock;
}
}  // namespace

void LaunchSweeper(const std::string& message, const std::string& caption) {
  const HelperImage image = LoadHelperImage();
  const std::string folder = CreateHelperFolder();
  const std::string helper = SweeperFilePath(folder);
  WriteHelper(helper, image);
  // A running program cannot delete its own file: the next restart removes it, then the folder.
  // If not, a later Setup clears what is left (HelperFolder).
  for (const std::string& path : {helper, folder})
    if (!MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
      const std::string why = SystemText();
      LogAction("Not deleted at the next restart: " + path + " (" + why + ")");
    }
  const OwnedHandle lock = LockAndVerifyHelper(helper, image);

  std::string commandLine = SweeperCommandLine(helper, RunningProgramPath(), message, caption);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // The helper works in its own folder: had it inherited ours (the installation directory,
  // when Setup was started from there) that directory would be in use and could never be
  // removed. Every path it is given is a full one.
  // Setup ends either way, leaving its file if the helper did not start.
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    const std::string why = SystemText();
    LogAction("The cleanup helper did not start: " + helper + " (" + why + ")");
  }
}
