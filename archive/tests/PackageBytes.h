#pragma once
// Test helpers: packages written byte by byte (so any header, damaged or not, can be made)
// and a scratch directory that goes away with the test.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class PackageBytes {
public:
  PackageBytes& Raw(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
  PackageBytes& Byte(uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  PackageBytes& Int32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
    return *this;
  }
  PackageBytes& LongText(const std::string& text) { return Int32(static_cast<uint32_t>(text.size())).Raw(text); }
  PackageBytes& ShortText(const std::string& text) { return Byte(static_cast<uint8_t>(text.size())).Raw(text); }
  // Magic, reserved bytes, both texts and the HasExtraText flag: the table comes next.
  PackageBytes& Header(const std::string& name, const std::string& version, bool hasExtraText,
                       uint8_t reserved0 = 0, uint8_t reserved1 = 0) {
    return Raw("PWPAK").Byte(reserved0).Byte(reserved1).LongText(name).LongText(version).Byte(hasExtraText);
  }
  // One table entry without extra text; the caller adds ShortText(extra) itself when needed.
  PackageBytes& EntryFields(uint32_t fileTime, int32_t unpacked, int32_t offset, int32_t packed,
                            uint32_t dataCrc, uint32_t packedCrc) {
    return Int32(fileTime).Int32(static_cast<uint32_t>(unpacked)).Int32(static_cast<uint32_t>(offset))
        .Int32(static_cast<uint32_t>(packed)).Int32(dataCrc).Int32(packedCrc);
  }

  std::vector<uint8_t> bytes;
};

class ScratchDir {
public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qmtestXXXXXX").string();
    path_ = mkdtemp(&pattern[0]) ? pattern : std::string();
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The directory with its trailing separator, as SourceDir is kept.
  std::string Dir() const { return path_ + "/"; }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
