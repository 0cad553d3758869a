#include "LZH.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "LZHDistanceCode.h"
#include "LZHModel.h"

namespace {

constexpr uint16_t kDefaultBufferSize = 1024;
constexpr uint16_t kSmallestBuffer = 16;
constexpr uint16_t kLargestBuffer = 32768;
constexpr uint32_t kEndMark = 0x8000;  // the terminating 1 bit followed by nothing but zeros

uint16_t ClampBufferSize(uint16_t size) {
  return size < kSmallestBuffer ? kSmallestBuffer : size > kLargestBuffer ? kLargestBuffer : size;
}

}  // namespace

struct TLZHCompressor::State {
  lzh::HuffmanModel model;
  uint8_t ring[lzh::kRingSize];
  uint16_t inBufferSize = kDefaultBufferSize;
  uint16_t outBufferSize = kDefaultBufferSize;
  bool idle = true;
  bool inputEnded = false;
};

namespace {

// One run of the decode loop. Everything the loop touches per bit or per byte is a local
// of Run so that the compiler keeps it in registers; the events are called once per block.
class StreamDecoder {
public:
  StreamDecoder(lzh::HuffmanModel& model, uint8_t* ring, bool& inputEnded, const TBlockEvent& read,
                const TBlockEvent& write)
      : model_(model), ring_(ring), inputEnded_(inputEnded), read_(read), write_(write) {}

  void Run(uint8_t* in, uint16_t inSize, uint8_t* out, uint16_t outSize);

private:
  // Fills the input buffer; returns the bytes delivered (0: no more input).
  uint16_t FetchBlock(uint8_t* in, uint16_t inSize) {
    uint16_t done = 0;
    read_(in, inSize, done);
    return done < inSize ? done : inSize;  // never trust a count beyond the buffer
  }
  void WriteBlock(uint8_t* out, uint16_t count) {
    uint16_t ignored = 0;
    write_(out, count, ignored);
  }

  lzh::HuffmanModel& model_;
  uint8_t* ring_;
  bool& inputEnded_;
  const TBlockEvent& read_;
  const TBlockEvent& write_;
};

void StreamDecoder::Run(uint8_t* in, uint16_t inSize, uint8_t* out, uint16_t outSize) {
  using namespace lzh;
  const uint16_t* const child = model_.child;
  uint8_t* const ring = ring_;

  // The bit reader: a 16-bit buffer with the next bit in bit 15, refilled a byte at a time.
  uint32_t bitBuf = 0;
  unsigned bitCount = 0;
  bool ended = false;
  const uint8_t* inPos = in;
  const uint8_t* inEnd = in;
  auto refill = [&] {
    unsigned byte = 0;
    if (inPos == inEnd) {
      inPos = in;
      inEnd = in + FetchBlock(in, inSize);
    }
    if (inPos != inEnd) {
      byte = *inPos++;
    } else {
      ended = inputEnded_ = true;
    }
    bitBuf |= byte << (8 - bitCount);
    bitCount += 8;
  };
  auto readBit = [&]() -> unsigned {
    if (bitCount < 8) refill();
    const unsigned bit = (bitBuf >> 15) & 1;
    bitBuf = (bitBuf << 1) & 0xFFFF;
    --bitCount;
    return bit;
  };
  auto readOctet = [&]() -> unsigned {
    if (bitCount < 8) refill();
    const unsigned octet = bitBuf >> 8;
    bitBuf = (bitBuf << 8) & 0xFFFF;
    bitCount -= 8;
    return octet;
  };

  uint8_t* outPos = out;
  uint8_t* const outEnd = out + outSize;
  auto putByte = [&](uint8_t b) {
    if (outPos == outEnd) {
      WriteBlock(out, outSize);
      outPos = out;
    }
    *outPos++ = b;
  };

  // Walks the tree from the root. The input can run out on any step: then the stream has
  // ended there and the partial symbol is dropped.
  auto decodeSymbol = [&]() -> unsigned {
    unsigned c = child[kRoot];
    while (c < kNodes) {
      c = child[c + readBit()];
      if (ended && bitBuf == 0) throw EDecompressFinished();
    }
    c -= kNodes;
    model_.UpdateModel(c);
    return c;
  };
  auto decodeOffset = [&]() -> unsigned {
    unsigned pattern = readOctet();
    const unsigned high = kDistanceCode.HighOfPattern[pattern];
    for (unsigned n = kDistanceCode.LengthOfPattern[pattern] - 2; n > 0; --n) pattern = (pattern << 1) | readBit();
    return (high << kPlainDistanceBits) | (pattern & ((1u << kPlainDistanceBits) - 1));
  };

  unsigned r = kInitialFill;
  try {
    for (;;) {
      const unsigned c = decodeSymbol();
      if (c < 256) {
        putByte(static_cast<uint8_t>(c));
        ring[r] = static_cast<uint8_t>(c);
        r = (r + 1) & kRingMask;
      } else {
        const unsigned start = r - decodeOffset() - 1;  // a copy may overlap what it writes
        for (unsigned k = 0, length = MatchLength(c); k < length; ++k) {
          const uint8_t b = ring[(start + k) & kRingMask];
          putByte(b);
          ring[r] = b;
          r = (r + 1) & kRingMask;
        }
      }
      if (ended && bitBuf == kEndMark) break;
    }
  } catch (const EDecompressFinished&) {
    // Raised only by decodeSymbol above; it never leaves the decode.
  }
  WriteBlock(out, static_cast<uint16_t>(outPos - out));
}

}  // namespace

TLZHCompressor::TLZHCompressor() : state_(new State) {}

TLZHCompressor::~TLZHCompressor() { delete state_; }

void TLZHCompressor::SetInBufferSize(uint16_t size) {
  if (state_->idle) state_->inBufferSize = ClampBufferSize(size);
}

void TLZHCompressor::SetOutBufferSize(uint16_t size) {
  if (state_->idle) state_->outBufferSize = ClampBufferSize(size);
}

uint16_t TLZHCompressor::InBufferSize() const { return state_->inBufferSize; }
uint16_t TLZHCompressor::OutBufferSize() const { return state_->outBufferSize; }
bool TLZHCompressor::Idle() const { return state_->idle; }
bool TLZHCompressor::InputEnded() const { return state_->inputEnded; }

void TLZHCompressor::Decompress() {
  State& s = *state_;
  if (!s.idle) return;
  s.idle = false;
  struct IdleOnExit {
    bool& idle;
    ~IdleOnExit() { idle = true; }
  } idleOnExit{s.idle};
  // Declared after the guard so that the buffers are freed before the decoder turns idle
  // and before an error from an event reaches the caller.
  const std::unique_ptr<uint8_t[]> in(new uint8_t[s.inBufferSize]);
  const std::unique_ptr<uint8_t[]> out(new uint8_t[s.outBufferSize]);

  s.inputEnded = false;
  std::memset(&s.model, 0, sizeof s.model);
  s.model.StartModel();
  std::memset(s.ring, lzh::kFillByte, lzh::kInitialFill);
  std::memset(s.ring + lzh::kInitialFill, 0, lzh::kRingSize - lzh::kInitialFill);

  StreamDecoder decoder(s.model, s.ring, s.inputEnded, OnReadBlock, OnWriteBlock);
  decoder.Run(in.get(), s.inBufferSize, out.get(), s.outBufferSize);
}

void DecodeStreamInBlocks(TLZHCompressor& decoder, const uint8_t* data, size_t size,
                          const std::function<void(const uint8_t* block, uint16_t count)>& take) {
  if (!decoder.Idle()) return;  // the events belong to the decode under way
  struct ClearEventsOnExit {
    TLZHCompressor& decoder;
    ~ClearEventsOnExit() {
      decoder.OnReadBlock = nullptr;
      decoder.OnWriteBlock = nullptr;
    }
  } clearEvents{decoder};
  size_t readPos = 0;
  decoder.OnReadBlock = [&](uint8_t* buffer, uint16_t count, uint16_t& done) {
    done = static_cast<uint16_t>(std::min<size_t>(count, size - readPos));
    if (done > 0) std::memcpy(buffer, data + readPos, done);
    readPos += done;
  };
  decoder.OnWriteBlock = [&](uint8_t* buffer, uint16_t count, uint16_t&) { take(buffer, count); };
  decoder.Decompress();
}

std::vector<uint8_t> DecodeStream(TLZHCompressor& decoder, const uint8_t* data, size_t size,
                                  size_t expectedSize) {
  std::vector<uint8_t> output;
  output.reserve(expectedSize);
  DecodeStreamInBlocks(decoder, data, size, [&output](const uint8_t* block, uint16_t count) {
    output.insert(output.end(), block, block + count);
  });
  return output;
}
