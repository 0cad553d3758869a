#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "LZH.h"

// What the decoder writes for the stream, through the library's one-call decode.
inline std::vector<uint8_t> DecodedWith(TLZHCompressor& decoder, const std::vector<uint8_t>& stream) {
  return DecodeStream(decoder, stream.data(), stream.size());
}

inline std::vector<uint8_t> Decoded(const std::vector<uint8_t>& stream, uint16_t inSize = 1024, uint16_t outSize = 1024) {
  TLZHCompressor decoder;
  decoder.SetInBufferSize(inSize);
  decoder.SetOutBufferSize(outSize);
  return DecodedWith(decoder, stream);
}

// For the tests of the events themselves: feeds a byte vector to a decoder through its read
// event and collects what it writes, together with the sizes the events were called with.
struct DecodeRecord {
  std::vector<uint8_t> Output;
  std::vector<uint16_t> WriteCounts;
  int ReadCalls = 0;
  int EmptyReads = 0;
};

inline void BindVectorEvents(TLZHCompressor& decoder, const std::vector<uint8_t>& stream, size_t& readPos,
                             DecodeRecord& record) {
  decoder.OnReadBlock = [&stream, &readPos, &record](uint8_t* buffer, uint16_t count, uint16_t& done) {
    ++record.ReadCalls;
    done = static_cast<uint16_t>(std::min<size_t>(count, stream.size() - readPos));
    if (done == 0) ++record.EmptyReads;
    if (done > 0) std::memcpy(buffer, stream.data() + readPos, done);
    readPos += done;
  };
  decoder.OnWriteBlock = [&record](uint8_t* buffer, uint16_t count, uint16_t&) {
    record.WriteCounts.push_back(count);
    record.Output.insert(record.Output.end(), buffer, buffer + count);
  };
}

inline DecodeRecord RecordDecode(const std::vector<uint8_t>& stream, uint16_t inSize = 1024, uint16_t outSize = 1024) {
  TLZHCompressor decoder;
  decoder.SetInBufferSize(inSize);
  decoder.SetOutBufferSize(outSize);
  DecodeRecord record;
  size_t readPos = 0;
  BindVectorEvents(decoder, stream, readPos, record);
  decoder.Decompress();
  return record;
}
