#pragma once
#include <cstdint>

// The LZSS window and the adaptive Huffman code of literals and match lengths. The decoder
// and the encoder share this one model so that both sides evolve the tree identically; it
// is header-only so that the decoder's hot loop can inline UpdateModel.
namespace lzh {

constexpr unsigned kRingSize = 4096;
constexpr unsigned kRingMask = kRingSize - 1;
constexpr unsigned kMinMatch = 3;
constexpr unsigned kMaxMatch = 60;
constexpr unsigned kSymbols = 256 + kMaxMatch - kMinMatch + 1;  // 314: literals, then lengths
constexpr unsigned kNodes = 2 * kSymbols - 1;                  // 627
constexpr unsigned kRoot = kNodes - 1;
constexpr unsigned kFreqLimit = 32768;
constexpr unsigned kInitialFill = 4036;  // ring positions 0..4035 start as spaces
constexpr uint8_t kFillByte = ' ';

constexpr unsigned MatchSymbol(unsigned length) { return length + 256 - kMinMatch; }
constexpr unsigned MatchLength(unsigned symbol) { return symbol + kMinMatch - 256; }

struct HuffmanModel {
  // freq[kNodes] is a sentinel above every real frequency; it stops the scan in UpdateModel.
  uint16_t freq[kNodes + 1];
  // For an internal node: its 0-child (the 1-child is the next node). For a leaf: kNodes + symbol.
  uint16_t child[kNodes];
  // parent[node] for nodes; parent[kNodes + symbol] is the node holding that symbol's leaf.
  uint16_t parent[kNodes + kSymbols];

  bool IsLeaf(unsigned node) const { return child[node] >= kNodes; }
  unsigned LeafNode(unsigned symbol) const { return parent[kNodes + symbol]; }

  void StartModel() {
    for (unsigned s = 0; s < kSymbols; ++s) {
      freq[s] = 1;
      child[s] = static_cast<uint16_t>(kNodes + s);
      parent[kNodes + s] = static_cast<uint16_t>(s);
    }
    for (unsigned i = 0, j = kSymbols; j < kNodes; ++j, i += 2) {
      freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
      child[j] = static_cast<uint16_t>(i);
      parent[i] = parent[i + 1] = static_cast<uint16_t>(j);
    }
    freq[kNodes] = 0xFFFF;
    parent[kRoot] = 0;
  }

  // Counts one more occurrence of symbol and keeps the nodes ordered by frequency, swapping a
  // node with the last one of lower frequency so that the code stays a Huffman code.
  void UpdateModel(unsigned symbol) {
    if (freq[kRoot] == kFreqLimit) RebuildTree();
    unsigned c = parent[kNodes + symbol];
    do {
      const unsigned k = ++freq[c];
      if (k > freq[c + 1]) {
        unsigned l = c + 1;
        while (k > freq[l + 1]) ++l;
        freq[c] = freq[l];
        freq[l] = static_cast<uint16_t>(k);
        const unsigned i = child[c];
        parent[i] = static_cast<uint16_t>(l);
        if (i < kNodes) parent[i + 1] = static_cast<uint16_t>(l);
        const unsigned j = child[l];
        child[l] = static_cast<uint16_t>(i);
        parent[j] = static_cast<uint16_t>(c);
        if (j < kNodes) parent[j + 1] = static_cast<uint16_t>(c);
        child[c] = static_cast<uint16_t>(j);
        c = l;
      }
      c = parent[c];
    } while (c != 0);
  }

  // Halves the leaf frequencies (rounding up) and builds the internal nodes again.
  void RebuildTree() {
    unsigned j = 0;
    for (unsigned i = 0; i < kNodes; ++i) {
      if (child[i] >= kNodes) {
        freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
        child[j] = child[i];
        ++j;
      }
    }
    for (unsigned i = 0, n = kSymbols; n < kNodes; ++n, i += 2) {
      const unsigned f = freq[i] + freq[i + 1];
      unsigned k = n;
      while (k > 0 && f < freq[k - 1]) --k;
      for (unsigned m = n; m > k; --m) {
        freq[m] = freq[m - 1];
        child[m] = child[m - 1];
      }
      freq[k] = static_cast<uint16_t>(f);
      child[k] = static_cast<uint16_t>(i);
    }
    for (unsigned i = 0; i < kNodes; ++i) {
      const unsigned k = child[i];
      parent[k] = static_cast<uint16_t>(i);
      if (k < kNodes) parent[k + 1] = static_cast<uint16_t>(i);
    }
  }
};

}  // namespace lzh
