#include "LZHParser.h"

#include <algorithm>
#include <limits>

#include "LZHDistanceCode.h"

using namespace lzh;

namespace {
constexpr unsigned kMaxChain = 128;  // longer chains gained under 0.1% on text
}  // namespace

LzhPrices LzhPrices::FromModel(const HuffmanModel& model) {
  LzhPrices prices{};
  for (unsigned s = 0; s < kSymbols; ++s) {
    uint32_t depth = 0;
    for (unsigned node = model.LeafNode(s); node != kRoot; node = model.parent[node]) ++depth;
    prices.Symbol[s] = depth;
  }
  return prices;
}

uint32_t LzhPrices::Match(unsigned length, unsigned distance) const {
  return Symbol[MatchSymbol(length)] + kDistanceCode.Length[distance >> kPlainDistanceBits] + kPlainDistanceBits;
}

LzhParser::LzhParser(const uint8_t* data, size_t size) : data_(data), finder_(data, size, kMaxChain) {}

void LzhParser::ParseBlock(size_t begin, size_t end, const LzhPrices& prices, std::vector<LzhToken>& out) {
  const size_t n = end - begin;
  cost_.assign(n + 1, std::numeric_limits<uint32_t>::max());
  step_.assign(n + 1, LzhToken{0, 0});
  cost_[0] = 0;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t here = cost_[i];
    const uint8_t byte = data_[begin + i];
    if (here + prices.Literal(byte) < cost_[i + 1]) {
      cost_[i + 1] = here + prices.Literal(byte);
      step_[i + 1] = {1, byte};
    }
    matches_.clear();
    finder_.FindMatches(begin + i, static_cast<unsigned>(std::min<size_t>(kMaxMatch, n - i)), matches_);
    unsigned length = kMinMatch;
    for (const LzhMatch& m : matches_) {
      for (; length <= m.Length; ++length) {
        const uint32_t c = here + prices.Match(length, m.Distance);
        if (c < cost_[i + length]) {
          cost_[i + length] = c;
          step_[i + length] = {static_cast<uint16_t>(length), m.Distance};
        }
      }
    }
  }
  const size_t first = out.size();
  for (size_t i = n; i > 0; i -= step_[i].Length) out.push_back(step_[i]);
  std::reverse(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}
