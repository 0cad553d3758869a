#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

#include "CodePage.h"

// An error of the file layer, carrying the system's own text (and the file's name).
class EFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
  // 'Cannot open file "C:\x.pak". The system cannot find the file specified.'
  EFileError(const std::string& action, const std::string& path, const std::string& systemText)
      : std::runtime_error(action + " \"" + path + "\"" +
                           (systemText.empty() ? std::string() : ". " + systemText)) {}
};

// The one seam between the portable code and the platform's files: Win32 handles on
// Windows, POSIX calls on Linux. Paths are byte strings in the program's code page
// (CodePage.h), as the ...A calls take them.
class ByteFile {
public:
  // Read: existing file, read-only. Create: a new file in place of any of that name, write; on
  // Windows made by handle in its folder, so that no link is followed (NoFollowWin32.h).
  enum class Mode { Read, Create };

  ByteFile() = default;
  ~ByteFile();
  ByteFile(const ByteFile&) = delete;
  ByteFile& operator=(const ByteFile&) = delete;

  void Open(const std::string& path, Mode mode);  // throws EFileError
#ifdef _WIN32
  // Takes over a file opened elsewhere for reading (a HANDLE, closed with this file), such as
  // one opened level by level without following links; path names it in errors.
  void Adopt(void* handle, const std::string& path);
#endif
  bool TryOpen(const std::string& path, Mode mode);
  void Close();
  bool IsOpen() const;

  uint32_t Read(void* buffer, uint32_t count);            // short at end of file
  void ReadExact(void* buffer, uint32_t count);           // throws EFileError at end of file
  uint8_t ReadByte();                                     // throws EFileError at end of file
  int32_t ReadInt32();                                    // little-endian; throws at end of file
  uint32_t Write(const void* buffer, uint32_t count);     // returns bytes written
  void Seek(int64_t position);                            // absolute; throws EFileError
  void Skip(int64_t count);  // forward; throws EFileError when it would pass the end of file
  // Sets the last-write time from a DOS date (high 16 bits) and time (low 16 bits) in local
  // time, through the open file. Returns false on failure (callers ignore it).
  bool SetDosTime(uint32_t dosDateTime);
  int64_t Position() const;
  int64_t Size() const;
  const std::string& Path() const { return path_; }

private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  std::string path_;
};

// Directory and file-time helpers of the same seam. (Where <windows.h> is included first, its
// CreateDirectory macro renames the call below: call CreateDirectoryA there instead.)
namespace FileSystem {
// Who may change a directory that is created. Inherited: what its parent passes on. Protected:
// like Program Files (DirectoryAccess.h), whatever the parent allows; POSIX ignores it.
enum class DirectoryAccess { Inherited, Protected };
bool DirectoryExists(const std::string& path);
// The folder of a Windows path, up to and with its last backslash ("C:\a\b" gives "C:\a\");
// empty when it has none. Split by characters: in a double-byte code page a backslash byte may
// be the second half of a character.
std::string FolderOf(const std::string& path, const CodePage& page = ProgramCodePage());
void CreateDirectory(const std::string& path, DirectoryAccess access = DirectoryAccess::Inherited);  // throws EFileError
// The last-write time as a DOS date and time in local time, clamped to the years DOS can
// hold (1980..2107). Throws EFileError when the file cannot be examined.
uint32_t GetFileDosTime(const std::string& path);
// The last-write time in whole seconds since 1970-01-01 00:00 UTC. Throws EFileError when the
// file cannot be examined.
int64_t GetFileUnixTime(const std::string& path);
}  // namespace FileSystem
