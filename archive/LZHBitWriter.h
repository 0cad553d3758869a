#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Packs bits most significant first, as the decoder reads them. A mark lets the encoder
// rewind to an earlier point and write a different ending.
class LzhBitWriter {
public:
  struct Mark {
    size_t Bytes;
    uint32_t Pending;
    unsigned PendingCount;
  };

  // Writes the low count bits of bits (count up to 64), the highest of them first.
  void Write(uint64_t bits, unsigned count) {
    while (count > 16) {
      count -= 16;
      WriteShort(static_cast<uint32_t>(bits >> count) & 0xFFFF, 16);
    }
    WriteShort(static_cast<uint32_t>(bits) & ((1u << count) - 1), count);
  }

  uint64_t BitCount() const { return uint64_t(bytes_.size()) * 8 + pendingCount_; }
  Mark GetMark() const { return {bytes_.size(), pending_, pendingCount_}; }
  void Rewind(const Mark& mark) {
    bytes_.resize(mark.Bytes);
    pending_ = mark.Pending;
    pendingCount_ = mark.PendingCount;
  }

  // The stream's ending: a single 1 bit, then 0 bits up to the byte boundary.
  std::vector<uint8_t> Finish() {
    Write(1, 1);
    if (pendingCount_ > 0) Write(0, 8 - pendingCount_);
    return std::move(bytes_);
  }

private:
  void WriteShort(uint32_t bits, unsigned count) {
    pending_ = (pending_ << count) | bits;
    pendingCount_ += count;
    while (pendingCount_ >= 8) {
      pendingCount_ -= 8;
      bytes_.push_back(static_cast<uint8_t>(pending_ >> pendingCount_));
    }
    pending_ &= (1u << pendingCount_) - 1;
  }

  std::vector<uint8_t> bytes_;
  uint32_t pending_ = 0;
  unsigned pendingCount_ = 0;
};
