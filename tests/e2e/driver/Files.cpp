#include "driver/Files.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace e2e {

namespace {
// The build passes Linux paths; Wine shows the Linux root as drive Z:.
std::string FromLinux(const char* linuxPath) {
  std::string path = std::string("Z:") + linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}
}  // namespace

std::string BuildDistDir() { return WithBackslash(FromLinux(QM_BUILD_DIST_DIR)); }

std::string BuiltGenericSetup() { return FromLinux(QM_GENERIC_SETUP); }

std::string BuiltSweeper() { return BuildDistDir() + "..\\sweeper\\Sweeper.exe"; }

std::string WithBackslash(const std::string& dir) {
  return (!dir.empty() && dir.back() == '\\') ? dir : dir + "\\";
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  return WithBackslash(dir) + name;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size)) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
      read = 0;
    bytes.resize(read);
  }
  CloseHandle(file);
  return bytes;
}

std::string ReadTextFile(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << path;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(ok && written == bytes.size()) << "cannot write " << path;
}

void WriteTextFile(const std::string& path, const std::string& text) {
  WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void CopyOneFile(const std::string& from, const std::string& to) {
  ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << "cannot copy " << from << " to " << to;
}

void CreateDirectories(const std::string& path) {
  std::string dir = WithBackslash(path);
  // Create each level in turn; existing levels (and the drive) are fine.
  for (size_t pos = dir.find('\\', 3); pos != std::string::npos; pos = dir.find('\\', pos + 1)) {
    CreateDirectoryA(dir.substr(0, pos).c_str(), nullptr);
  }
  ASSERT_TRUE(DirectoryExists(path)) << "cannot create " << path;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(path, "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = JoinPath(path, name);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

namespace {
void ListBelow(const std::string& dir, const std::string& prefix, bool withFolders, std::vector<std::string>& paths) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(dir, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (withFolders) paths.push_back(prefix + name + "\\");
      ListBelow(JoinPath(dir, name), prefix + name + "\\", withFolders, paths);
    } else {
      paths.push_back(prefix + name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}
}  // namespace

std::vector<std::string> FilesBelow(const std::string& dir) {
  std::vector<std::string> files;
  ListBelow(dir, "", false, files);
  return files;
}

std::vector<std::string> EntriesBelow(const std::string& dir) {
  std::vector<std::string> entries;
  ListBelow(dir, "", true, entries);
  return entries;
}

std::string FolderContents(const std::string& dir) {
  std::string contents;
  for (const std::string& file : FilesBelow(dir)) contents += file + "=" + ReadTextFile(JoinPath(dir, file)) + "\n";
  return contents;
}

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int64_t DiskFreeBytes(const std::string& root) {
  ULARGE_INTEGER available{}, total{}, free{};
  if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return -1;
  return static_cast<int64_t>(available.QuadPart);
}

HeldFile::HeldFile(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(handle, INVALID_HANDLE_VALUE) << "cannot hold " << path;
  if (handle != INVALID_HANDLE_VALUE) handle_ = handle;
}

void HeldFile::Release() {
  if (handle_) CloseHandle(handle_);
  handle_ = nullptr;
}

std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  wchar_t wide[MAX_PATH];
  if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return std::string();
  char* unix = toUnix(wide);
  if (!unix) return std::string();
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

namespace {
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
bool Gone(const std::string& path) { return !Exists(path); }

// Wine starts a Unix program named by its Z: path, but gives no handle to wait on: the caller
// waits until the program has done its work.
bool RunUnixUntil(std::string commandLine, bool (*done)(const std::string&), const std::string& path) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  for (int tries = 0; tries < 100 && !done(path); ++tries) Sleep(50);
  return done(path);
}

}  // namespace

void MakeUnixLink(const std::string& link, const std::string& target) {
  const std::string unixLink = UnixPath(link), unixTarget = UnixPath(target);
  ASSERT_FALSE(unixLink.empty() || unixTarget.empty()) << link;
  ASSERT_TRUE(RunUnixUntil("Z:\\bin\\ln -s \"" + unixTarget + "\" \"" + unixLink + "\"", Exists, link)) << link;
}

void RemoveUnixLink(const std::string& link) {
  const std::string unixLink = UnixPath(link);
  if (!unixLink.empty()) RunUnixUntil("Z:\\bin\\rm -f \"" + unixLink + "\"", Gone, link);
}

}  // namespace e2e
