#include "CrcUnit.h"

#include <array>

namespace {

// Entry i is the register after eight reflected shift-and-XOR steps starting from i.
constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t value = i;
    for (int step = 0; step < 8; ++step) value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
    table[i] = value;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

uint32_t UpdateCrc(const void* data, uint16_t count, uint32_t crc) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  uint32_t reg = ~crc;
  for (uint16_t i = 0; i < count; ++i) reg = kCrcTable[(reg ^ bytes[i]) & 0xFF] ^ (reg >> 8);
  return ~reg;
}
