#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CrcUnit.h"

namespace {

uint32_t CrcOf(const std::string& s) { return UpdateCrc(s.data(), static_cast<uint16_t>(s.size()), 0); }

TEST(Crc, GivesTheKnownCheckValues) {
  const struct {
    std::string Data;
    uint32_t Crc;
  } cases[] = {
      {"", 0x00000000u},
      {"a", 0xE8B7BE43u},
      {"123456789", 0xCBF43926u},  // the CRC-32 check value
      {std::string(32, '\0'), 0x190A55ADu},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const auto& c : cases) EXPECT_EQ(CrcOf(c.Data), c.Crc) << c.Data;
}

TEST(Crc, ChainsOverAnySplit) {
  const std::string digits = "123456789";
  for (size_t split = 0; split <= digits.size(); ++split) {
    uint32_t crc = UpdateCrc(digits.data(), static_cast<uint16_t>(split), 0);
    crc = UpdateCrc(digits.data() + split, static_cast<uint16_t>(digits.size() - split), crc);
    EXPECT_EQ(crc, 0xCBF43926u) << split;
  }
}

TEST(Crc, ZeroCountKeepsThePreviousValue) {
  for (uint32_t previous : {0u, 1u, 0xCBF43926u, 0xFFFFFFFFu}) EXPECT_EQ(UpdateCrc("x", 0, previous), previous);
}

TEST(Crc, LargestSingleCallMatchesByteByByte) {
  std::vector<uint8_t> data(65535);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  uint32_t chained = 0;
  for (uint8_t b : data) chained = UpdateCrc(&b, 1, chained);
  EXPECT_EQ(UpdateCrc(data.data(), 65535, 0), chained);
}

}  // namespace
