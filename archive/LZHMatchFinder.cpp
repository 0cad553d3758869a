#include "LZHMatchFinder.h"

#include <algorithm>

using namespace lzh;

LzhMatchFinder::LzhMatchFinder(const uint8_t* data, size_t size, unsigned maxChain)
    : window_(kHistory + size), head_(kHashSize, -1), prev_(kRingSize, -1), maxChain_(maxChain) {
  // Ring positions 4036..4095 come first in distance order (they are the oldest bytes).
  const size_t zeros = kRingSize - kInitialFill;
  std::fill(window_.begin(), window_.begin() + zeros, uint8_t(0));
  std::fill(window_.begin() + zeros, window_.begin() + kHistory, kFillByte);
  std::copy(data, data + size, window_.begin() + kHistory);
  for (size_t p = 0; p < kHistory; ++p) Insert(p);
}

void LzhMatchFinder::Insert(size_t windowPos) {
  if (windowPos + kMinMatch > window_.size()) return;
  const unsigned h = Hash(&window_[windowPos]);
  prev_[windowPos & kRingMask] = head_[h];
  head_[h] = static_cast<int32_t>(windowPos);
}

void LzhMatchFinder::FindMatches(size_t pos, unsigned maxLength, std::vector<LzhMatch>& out) {
  const size_t here = pos + kHistory;
  if (maxLength >= kMinMatch) {
    const uint8_t* const cur = &window_[here];
    const int64_t oldest = int64_t(here) - int64_t(kRingSize);
    unsigned best = kMinMatch - 1;
    unsigned chain = maxChain_;
    for (int64_t cand = head_[Hash(cur)]; cand >= oldest && cand >= 0 && chain > 0; cand = prev_[cand & kRingMask], --chain) {
      const uint8_t* const old = &window_[size_t(cand)];
      if (old[best] != cur[best]) continue;
      unsigned length = 0;
      while (length < maxLength && old[length] == cur[length]) ++length;
      if (length > best) {
        best = length;
        out.push_back({static_cast<uint16_t>(length), static_cast<uint16_t>(here - size_t(cand) - 1)});
        if (best == maxLength) break;
      }
    }
  }
  Insert(here);
}
