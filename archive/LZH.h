#pragma once
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

// Read or write event of the decoder: buffer, byte count, and the count actually delivered.
// For reading, count is the buffer's capacity and done the bytes delivered (0 = no more input).
// For writing, count is the number of bytes to take; done is ignored by the decoder.
using TBlockEvent = std::function<void(uint8_t* buffer, uint16_t count, uint16_t& done)>;

// Ends a decode when the input has run out in the middle of a code. Never leaves Decompress.
class EDecompressFinished : public std::exception {};

// Decoder of the packages' LZSS + adaptive Huffman streams (details in LZH.cpp). Despite its
// historical name it only decodes; the encoder is LzhCompress in LZHEncoder.h.
class TLZHCompressor {
public:
  TLZHCompressor();
  ~TLZHCompressor();
  TLZHCompressor(const TLZHCompressor&) = delete;
  TLZHCompressor& operator=(const TLZHCompressor&) = delete;

  // Clamped to 16..32768; ignored while a decode runs.
  void SetInBufferSize(uint16_t size);
  void SetOutBufferSize(uint16_t size);
  uint16_t InBufferSize() const;
  uint16_t OutBufferSize() const;

  bool Idle() const;
  bool InputEnded() const;

  // Decodes one whole stream from OnReadBlock to OnWriteBlock. Errors raised by the events
  // reach the caller after the buffers are freed. Returns at once when a decode already runs.
  void Decompress();

  TBlockEvent OnReadBlock;
  TBlockEvent OnWriteBlock;

private:
  struct State;
  State* state_;
};

// Decodes one whole stream held in memory with the decoder and its buffer sizes, handing
// every block it writes to take. The events are cleared afterwards, since they point into this
// call; a busy decoder decodes nothing.
void DecodeStreamInBlocks(TLZHCompressor& decoder, const uint8_t* data, size_t size,
                          const std::function<void(const uint8_t* block, uint16_t count)>& take);

// The same, returning what the decoder wrote. expectedSize, a size the caller trusts, only
// reserves the output.
std::vector<uint8_t> DecodeStream(TLZHCompressor& decoder, const uint8_t* data, size_t size,
                                  size_t expectedSize = 0);
