#pragma once
#include <cstdint>

// The fixed prefix code of a match distance's upper 6 bits. The 256 eight-bit patterns are
// dealt out in ascending order: 32 patterns to value 0, 16 each to 1..3, 8 each to 4..11,
// 4 each to 12..23, 2 each to 24..47 and 1 each to 48..63. A value's code is the leading
// (code length) bits of its first pattern; the lower 6 distance bits follow as plain bits.
namespace lzh {

constexpr unsigned kPlainDistanceBits = 6;

struct DistanceCodeTables {
  uint8_t HighOfPattern[256];    // decoder: pattern -> upper 6 bits
  uint8_t LengthOfPattern[256];  // decoder: pattern -> code length of that value
  uint8_t FirstPattern[64];      // encoder: value -> its first pattern
  uint8_t Length[64];            // encoder: value -> code length
};

constexpr DistanceCodeTables MakeDistanceCodeTables() {
  struct Group { unsigned values, patternsEach, length; };
  constexpr Group kGroups[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
  DistanceCodeTables t{};
  unsigned pattern = 0, value = 0;
  for (const Group& g : kGroups) {
    for (unsigned v = 0; v < g.values; ++v, ++value) {
      t.FirstPattern[value] = static_cast<uint8_t>(pattern);
      t.Length[value] = static_cast<uint8_t>(g.length);
      for (unsigned p = 0; p < g.patternsEach; ++p, ++pattern) {
        t.HighOfPattern[pattern] = static_cast<uint8_t>(value);
        t.LengthOfPattern[pattern] = static_cast<uint8_t>(g.length);
      }
    }
  }
  return t;
}

inline constexpr DistanceCodeTables kDistanceCode = MakeDistanceCodeTables();

static_assert(kDistanceCode.FirstPattern[63] == 255, "the 256 patterns are all dealt out");

}  // namespace lzh
