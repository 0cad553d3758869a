#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "LZHMatchFinder.h"
#include "LZHModel.h"

// One coded step: a literal byte or a match of 3..60 bytes.
struct LzhToken {
  uint16_t Length;  // 1 for a literal
  uint16_t Value;   // the literal byte, or the match distance
};

// Bit prices of every symbol under the model as it stands, and of every distance.
struct LzhPrices {
  uint32_t Symbol[lzh::kSymbols];
  static LzhPrices FromModel(const lzh::HuffmanModel& model);
  uint32_t Literal(uint8_t byte) const { return Symbol[byte]; }
  uint32_t Match(unsigned length, unsigned distance) const;
};

// Chooses the cheapest sequence of tokens for one block of the input under fixed prices
// (a shortest path over the positions, every match length at every position considered).
class LzhParser {
public:
  LzhParser(const uint8_t* data, size_t size);
  // Parses [begin, end); every position must be parsed once, in order. Appends to out.
  void ParseBlock(size_t begin, size_t end, const LzhPrices& prices, std::vector<LzhToken>& out);

private:
  const uint8_t* data_;
  LzhMatchFinder finder_;
  std::vector<LzhMatch> matches_;
  std::vector<uint32_t> cost_;
  std::vector<LzhToken> step_;  // the token that reaches each position at the lowest cost
};
