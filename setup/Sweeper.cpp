#include "Sweeper.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "RunningProgram.h"
#include "SetupMainForm.h"
#include "archive/ByteFile.h"
#include "logic/SweeperCommand.h"

namespace {
struct HelperImage {
  const uint8_t* Bytes = nullptr;
  uint32_t Size = 0;
};

std::string SystemText() { return std::system_category().message(static_cast<int>(GetLastError())); }

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

std::string TempDirectory() {
  char buffer[256];
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer)
    throw EFileError("Cannot find the temporary directory", "Sweeper.exe", SystemText());
  return std::string(buffer, length);
}

void WriteHelper(const std::string& path, const HelperImage& image) {
  ByteFile file;
  file.Open(path, ByteFile::Mode::Create);  // replaces an earlier helper's file
  if (file.Write(image.Bytes, image.Size) != image.Size)
    throw EFileError("Cannot write file", path, SystemText());
  file.Close();
}

// Setup runs elevated while the temporary directory belongs to the user: the file must not
// be swapped before the process starts. Opening it for reading shares neither writing nor
// deleting, and the start itself can still read it. The file had to be closed in between
// (the start refuses a file open for writing), so its bytes are checked again under the lock.
void LockAndVerifyHelper(ByteFile& lock, const std::string& path, const HelperImage& image) {
  lock.Open(path, ByteFile::Mode::Read);
  std::vector<uint8_t> onDisk(image.Size);
  const bool same = lock.Size() == image.Size && lock.Read(onDisk.data(), image.Size) == image.Size &&
                    std::equal(onDisk.begin(), onDisk.end(), image.Bytes);
  if (!same) throw EFileError("Cannot start file", path, "It was changed by another program");
}
}  // namespace

void LaunchSweeper(TSetupForm& form, const std::string& message, const std::string& caption) {
  const HelperImage image = LoadHelperImage();
  const std::string tempDirectory = TempDirectory();
  const std::string helper = SweeperFilePath(tempDirectory);
  WriteHelper(helper, image);
  ByteFile lock;
  LockAndVerifyHelper(lock, helper, image);

  std::string commandLine = SweeperCommandLine(helper, RunningProgramPath(), message, caption);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // The helper works in the temporary directory: had it inherited ours (the installation
  // directory, when Setup was started from there) that directory would be in use and could
  // never be removed. Every path it is given is a full one.
  // Whether it started is not examined: Setup ends either way, leaving its file if not.
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     tempDirectory.c_str(), &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  lock.Close();
  form.Terminate();
}
