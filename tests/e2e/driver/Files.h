#pragma once
#include <cstdint>
#include <string>
#include <vector>

// File helpers of the test process. Paths are Windows paths as the ...A calls take them.
namespace e2e {

// The build's distribution folder (the pinned Setup.exe and the sample packages), ending in a
// backslash.
std::string BuildDistDir();
// The generic Setup.exe, which pins no package.
std::string BuiltGenericSetup();
// The cleanup helper as the build made it (beside the distribution folder).
std::string BuiltSweeper();

// dir + name, with exactly one backslash between them.
std::string JoinPath(const std::string& dir, const std::string& name);
std::string WithBackslash(const std::string& dir);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::vector<uint8_t> ReadFileBytes(const std::string& path);  // empty when unreadable
std::string ReadTextFile(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);  // fails the test on error
void WriteTextFile(const std::string& path, const std::string& text);
void CopyOneFile(const std::string& from, const std::string& to);
void CreateDirectories(const std::string& path);
void RemoveTree(const std::string& path);  // files and folders below path, then path itself
// Every file below dir, with its path relative to dir, in the order found.
std::vector<std::string> FilesBelow(const std::string& dir);
// Every file and folder below dir, relative to it, a folder before what it holds; a folder's
// path ends in a backslash.
std::vector<std::string> EntriesBelow(const std::string& dir);
// Each file below dir with its text, one "path=text" line each: what a folder holds, to compare.
std::string FolderContents(const std::string& dir);
int64_t FileSize(const std::string& path);  // -1 when missing
int64_t DiskFreeBytes(const std::string& root);  // -1 when the query fails

// The Unix path Wine gives a Windows path; empty when it has none.
std::string UnixPath(const std::string& windowsPath);

// A Unix symbolic link at link to target (both Windows paths): Windows programs
// see it as a junction or symbolic link (Wine's CreateSymbolicLink makes nothing). Fails the
// test when it cannot be made. RemoveUnixLink removes the link itself, never its target.
void MakeUnixLink(const std::string& link, const std::string& target);
void RemoveUnixLink(const std::string& link);

// Holds an existing file open for reading only, as a running program holds its own file:
// until Release, nobody can write, replace or delete it.
class HeldFile {
public:
  explicit HeldFile(const std::string& path);  // fails the test when the file cannot be opened
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool Held() const { return handle_ != nullptr; }
  void Release();

private:
  void* handle_ = nullptr;
};

}  // namespace e2e
