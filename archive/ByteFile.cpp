// The platform-independent half of the file seam, built on Read, Seek and Size.
#include "ByteFile.h"

namespace {
const char* const ReadBeyondEnd = "Read beyond end of file";
}

bool ByteFile::TryOpen(const std::string& path, Mode mode) {
  try {
    Open(path, mode);
    return true;
  } catch (const EFileError&) {
    return false;
  }
}

void ByteFile::ReadExact(void* buffer, uint32_t count) {
  if (Read(buffer, count) != count) throw EFileError(ReadBeyondEnd, path_, "");
}

uint8_t ByteFile::ReadByte() {
  uint8_t value = 0;
  ReadExact(&value, 1);
  return value;
}

int32_t ByteFile::ReadInt32() {
  uint8_t bytes[4];
  ReadExact(bytes, 4);
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int32_t>(value);
}

void ByteFile::Skip(int64_t count) {
  const int64_t target = Position() + count;
  if (count < 0 || target > Size()) throw EFileError(ReadBeyondEnd, path_, "");
  Seek(target);
}

std::string FileSystem::FolderOf(const std::string& path, const CodePage& page) {
  const size_t cut = FindLastAscii(path, '\\', page);
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}
