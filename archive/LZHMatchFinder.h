#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "LZHModel.h"

struct LzhMatch {
  uint16_t Length;
  uint16_t Distance;  // 0 = the byte written last
};

// Hash chains over the window exactly as the decoder sees it: before the first input byte
// the ring holds 60 zero bytes and then 4036 spaces, and any of them may be copied.
class LzhMatchFinder {
public:
  LzhMatchFinder(const uint8_t* data, size_t size, unsigned maxChain);

  // Visits every position once, in order. Appends to out the matches at pos with growing
  // length, each with the nearest distance that reaches it, none longer than maxLength.
  void FindMatches(size_t pos, unsigned maxLength, std::vector<LzhMatch>& out);

private:
  static constexpr size_t kHistory = lzh::kRingSize;
  static unsigned Hash(const uint8_t* p) { return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1); }
  void Insert(size_t windowPos);

  static constexpr unsigned kHashSize = 1u << 13;
  std::vector<uint8_t> window_;  // the initial ring content, then the input
  std::vector<int32_t> head_;
  std::vector<int32_t> prev_;  // indexed by window position modulo the ring size
  unsigned maxChain_;
};
