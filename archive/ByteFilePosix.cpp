// The file seam on Linux: POSIX descriptors, for paktool and the native tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "ByteFile.h"
#include "DosTime.h"

namespace {
std::string SystemText() { return std::strerror(errno); }
}  // namespace

ByteFile::~ByteFile() { Close(); }

void ByteFile::Open(const std::string& path, Mode mode) {
  Close();
  const int flags = mode == Mode::Read ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) {
    throw EFileError(mode == Mode::Read ? "Cannot open file" : "Cannot create file", path,
                     SystemText());
  }
  fd_ = fd;
  path_ = path;
}

void ByteFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool ByteFile::IsOpen() const { return fd_ >= 0; }

uint32_t ByteFile::Read(void* buffer, uint32_t count) {
  uint32_t total = 0;
  while (total < count) {
    const ssize_t got = ::read(fd_, static_cast<char*>(buffer) + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EFileError("Cannot read file", path_, SystemText());
    if (got == 0) break;
    total += static_cast<uint32_t>(got);
  }
  return total;
}

uint32_t ByteFile::Write(const void* buffer, uint32_t count) {
  uint32_t total = 0;
  while (total < count) {
    const ssize_t put = ::write(fd_, static_cast<const char*>(buffer) + total, count - total);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;  // a short write is the caller's to judge (a full disk)
    total += static_cast<uint32_t>(put);
  }
  return total;
}

void ByteFile::Seek(int64_t position) {
  if (position < 0 || ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0)
    throw EFileError("Cannot seek in file", path_, position < 0 ? "Invalid argument" : SystemText());
}

int64_t ByteFile::Position() const { return ::lseek(fd_, 0, SEEK_CUR); }

bool ByteFile::SetDosTime(uint32_t dosDateTime) {
  DosDateTime fields;
  if (!UnpackDosDateTime(dosDateTime, fields)) return false;
  std::tm local{};
  local.tm_year = fields.Year - 1900;
  local.tm_mon = fields.Month - 1;
  local.tm_mday = fields.Day;
  local.tm_hour = fields.Hour;
  local.tm_min = fields.Minute;
  local.tm_sec = fields.Second;
  local.tm_isdst = -1;  // let the zone rules decide, as LocalFileTimeToFileTime does
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) return false;
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = when;
  times[1].tv_nsec = 0;
  return ::futimens(fd_, times) == 0;
}

int64_t ByteFile::Size() const {
  struct stat info;
  if (::fstat(fd_, &info) != 0) throw EFileError("Cannot examine file", path_, SystemText());
  return info.st_size;
}

namespace FileSystem {

bool DirectoryExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void CreateDirectory(const std::string& path, DirectoryAccess) {
  if (::mkdir(path.c_str(), 0755) != 0)
    throw EFileError("Cannot create directory", path, SystemText());
}

uint32_t GetFileDosTime(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) throw EFileError("Cannot examine file", path, SystemText());
  std::tm local{};
  if (::localtime_r(&info.st_mtime, &local) == nullptr)
    throw EFileError("Cannot examine file", path, SystemText());
  return PackDosDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec});
}

int64_t GetFileUnixTime(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) throw EFileError("Cannot examine file", path, SystemText());
  return static_cast<int64_t>(info.st_mtime);
}

}  // namespace FileSystem
