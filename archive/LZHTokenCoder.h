#pragma once
#include <cstdint>

#include "LZHBitWriter.h"
#include "LZHDistanceCode.h"
#include "LZHModel.h"
#include "LZHParser.h"

// Writes tokens in the stream's code and updates the model as the decoder will.
namespace lzh {

// A symbol's code is its path from the root: the bits are gathered from the leaf upwards.
inline void CodeSymbol(HuffmanModel& model, LzhBitWriter& writer, unsigned symbol) {
  uint64_t code = 0;
  unsigned length = 0;
  for (unsigned node = model.LeafNode(symbol); node != kRoot; ++length) {
    const unsigned parent = model.parent[node];
    code |= uint64_t(node - model.child[parent]) << length;
    node = parent;
  }
  writer.Write(code, length);
  model.UpdateModel(symbol);
}

inline void CodeToken(HuffmanModel& model, LzhBitWriter& writer, const LzhToken& token) {
  if (token.Length == 1) {
    CodeSymbol(model, writer, token.Value);
    return;
  }
  CodeSymbol(model, writer, MatchSymbol(token.Length));
  const unsigned high = token.Value >> kPlainDistanceBits;
  const unsigned length = kDistanceCode.Length[high];
  writer.Write(kDistanceCode.FirstPattern[high] >> (8 - length), length);
  writer.Write(token.Value & ((1u << kPlainDistanceBits) - 1), kPlainDistanceBits);
}

}  // namespace lzh
