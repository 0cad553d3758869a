#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A file list: 16-byte slots, each a length byte (0..15) and up to 15 bytes of an upper-cased
// name, zero-padded. Stored in the installation record as raw bytes with its size.
class FileList {
public:
  static constexpr int SlotSize = 16;
  static constexpr int MaxNameLength = 15;

  FileList() = default;
  explicit FileList(int32_t entryCount);                // that many empty slots (none when <= 0)
  static FileList FromBytes(const uint8_t* data, size_t size);  // size / 16 whole slots

  void SetName(int32_t slot, const std::string& name);  // upper-cases a..z, cuts to 15 bytes
  std::string Name(int32_t slot) const;
  int32_t Count() const { return static_cast<int32_t>(bytes_.size() / SlotSize); }
  int32_t ByteSize() const { return static_cast<int32_t>(bytes_.size()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  void Clear() { bytes_.clear(); }

private:
  std::vector<uint8_t> bytes_;
};
