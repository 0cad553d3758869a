#include "LZHEncoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "LZH.h"
#include "LZHBitWriter.h"
#include "LZHModel.h"
#include "LZHParser.h"
#include "LZHTokenCoder.h"

using namespace lzh;

namespace {

constexpr size_t kBlockSize = 4096;      // prices are taken from the model once per block
constexpr size_t kEndingSearch = 64;     // trailing tokens whose coding the ending may change

// When the last code ends on a byte boundary, the terminator is the top bit of a byte of its
// own and the decoder walks it into the root's 1-child; if that is a leaf, it outputs one
// symbol too many.
bool EndsSafely(const HuffmanModel& model, const LzhBitWriter& writer) {
  return writer.BitCount() % 8 != 0 || !model.IsLeaf(model.child[kRoot] + 1u);
}

// The ways tried to code the last tokens, in order of cost: as parsed, with the last match
// one byte shorter and that byte as a literal, then the last 1, 2, 3 ... tokens as literals.
std::vector<std::vector<LzhToken>> EndingVariants(const std::vector<LzhToken>& tail, const uint8_t* tailBytes) {
  size_t tailSize = 0;
  for (const LzhToken& t : tail) tailSize += t.Length;
  std::vector<std::vector<LzhToken>> variants{tail};
  if (!tail.empty() && tail.back().Length > kMinMatch) {
    std::vector<LzhToken> split = tail;
    --split.back().Length;
    split.push_back({1, tailBytes[tailSize - 1]});
    variants.push_back(split);
  }
  size_t literalsFrom = tailSize;
  for (size_t kept = tail.size(); kept-- > 0;) {
    literalsFrom -= tail[kept].Length;
    if (tail[kept].Length == 1) continue;  // already a literal: the same coding as the last variant
    std::vector<LzhToken> v(tail.begin(), tail.begin() + static_cast<std::ptrdiff_t>(kept));
    for (size_t p = literalsFrom; p < tailSize; ++p) v.push_back({1, tailBytes[p]});
    variants.push_back(v);
  }
  return variants;
}

// Decodes the stream as Setup will and insists on getting the input back.
void VerifyRoundTrip(const std::vector<uint8_t>& stream, const uint8_t* data, size_t size) {
  TLZHCompressor decoder;
  decoder.SetInBufferSize(32768);
  decoder.SetOutBufferSize(32768);
  const std::vector<uint8_t> decoded = DecodeStream(decoder, stream.data(), stream.size(), size);
  if (decoded.size() != size || !std::equal(decoded.begin(), decoded.end(), data))
    throw std::logic_error("LZH encoder: the stream does not decode to its input");
}

}  // namespace

std::vector<uint8_t> LzhCompress(const uint8_t* data, size_t size) {
  HuffmanModel model;
  std::memset(&model, 0, sizeof model);
  model.StartModel();
  LzhBitWriter writer;
  LzhParser parser(data, size);
  std::vector<LzhToken> tokens;
  size_t coded = 0;      // tokens[0, coded) are written; the rest wait for the ending
  size_t codedBytes = 0;
  for (size_t begin = 0; begin < size; begin += kBlockSize) {
    parser.ParseBlock(begin, std::min(size, begin + kBlockSize), LzhPrices::FromModel(model), tokens);
    for (; coded + kEndingSearch < tokens.size(); ++coded) {
      CodeToken(model, writer, tokens[coded]);
      codedBytes += tokens[coded].Length;
    }
  }

  const std::vector<LzhToken> tail(tokens.begin() + static_cast<std::ptrdiff_t>(coded), tokens.end());
  const HuffmanModel modelBeforeTail = model;
  const LzhBitWriter::Mark markBeforeTail = writer.GetMark();
  for (const std::vector<LzhToken>& variant : EndingVariants(tail, data + codedBytes)) {
    model = modelBeforeTail;
    writer.Rewind(markBeforeTail);
    for (const LzhToken& t : variant) CodeToken(model, writer, t);
    if (EndsSafely(model, writer)) {
      std::vector<uint8_t> stream = writer.Finish();
      VerifyRoundTrip(stream, data, size);
      return stream;
    }
  }
  throw std::runtime_error("LZH encoder: no coding of the last tokens ends the stream safely");
}
