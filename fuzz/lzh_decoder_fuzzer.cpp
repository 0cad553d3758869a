// Feeds arbitrary bytes to the decoder. The first byte picks the buffer sizes so that the
// block boundaries fall everywhere. Checks that the output stays within what the input can
// code (a symbol takes at least one bit, a 60-byte match at least ten), and that the encoder
// reproduces whatever came out.
#include <cstdlib>
#include <vector>

#include "LZH.h"
#include "LZHEncoder.h"

namespace {

std::vector<uint8_t> Decode(const uint8_t* data, size_t size, uint16_t inSize, uint16_t outSize) {
  static TLZHCompressor decoder;  // one decoder for every input, as Setup reuses its one
  decoder.SetInBufferSize(inSize);
  decoder.SetOutBufferSize(outSize);
  std::vector<uint8_t> output = DecodeStream(decoder, data, size);
  if (!decoder.Idle()) std::abort();
  return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint16_t inSize = static_cast<uint16_t>(16 + (data[0] & 15) * 97);
  const uint16_t outSize = static_cast<uint16_t>(16 + (data[0] >> 4) * 131);
  const uint8_t* stream = data + 1;
  const size_t streamSize = size - 1;

  const std::vector<uint8_t> output = Decode(stream, streamSize, inSize, outSize);
  if (output.size() > 48 * (streamSize + 4)) std::abort();

  if (output.size() <= 16384) {  // larger outputs would slow the search for little gain
    const std::vector<uint8_t> again = LzhCompress(output.data(), output.size());
    if (Decode(again.data(), again.size(), 32768, 32768) != output) std::abort();
  }
  return 0;
}
