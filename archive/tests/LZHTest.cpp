#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "LZHModel.h"
#include "LZHTestSupport.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> list) { return std::vector<uint8_t>(list); }
std::vector<uint8_t> Text(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

struct StreamCase {
  const char* Reason;
  std::vector<uint8_t> Stream;
  std::vector<uint8_t> Expected;
};

// Small hand-made streams, each driving one path of the decoder.
TEST(LzhDecoder, DecodesHandMadeStreams) {
  const std::vector<StreamCase> cases = {
      {"no bytes at all: nothing", {}, {}},
      {"the terminating bit alone: an empty member", Bytes({0x80}), {}},
      {"three 9-bit literals, the model updated after each", Bytes({0xF6, 0xFB, 0xBD, 0xF0}), Text("abc")},
      {"literal, then length 9 at distance 0 repeats it", Bytes({0xF6, 0xC9, 0x00, 0x20}), Text("aaaaaaaaaa")},
      {"a 9-bit code ends on bit 1 of a byte: the terminator is met inside the next walk",
       Bytes({0xF6, 0xC0}), Text("a")},
      {"longest match at distance 0 after one literal", Bytes({0xF6, 0xFB, 0x40, 0x10}), Text(std::string(61, 'a'))},
      {"a match at the start copies the initial spaces", Bytes({0x8C, 0x00, 0x40}), Text("   ")},
      {"distance 4095 at the start reaches the zero bytes behind the spaces", Bytes({0x8C, 0xFF, 0xFE}),
       Bytes({0, 0, 0})},
      {"longest distance with the highest prefix value reads ring position 0", Bytes({0xC5, 0xFF, 0x0E}),
       Text(std::string(60, ' '))},
      {"a match into the spaces, then a literal", Bytes({0x8D, 0x29, 0x3D, 0xB0}), Text("    a")},
      {"overlapping matches at distance 1 repeat a pair", Bytes({0xF6, 0xFB, 0xBD, 0xA0, 0x1C, 0x30, 0x0E, 0x00, 0x0C}),
       [] {
         std::string s = "ab";
         while (s.size() < 182) s += s.substr(s.size() - 2, 2);
         return Text(s);
       }()},
      {"a zero byte after the terminator is still read as the end", Bytes({0xF6, 0xFB, 0xBD, 0xF0, 0x00}), Text("abc")},
      {"two zero bytes after it: the terminator becomes a walk that reaches a leaf",
       Bytes({0xF6, 0xFB, 0xBD, 0xF0, 0x00, 0x00}), Text("abc\xF4")},
      {"cut before the terminator: the last symbol is still decoded", Bytes({0xF6, 0xFB, 0xBD}), Text("ab")},
      {"cut inside the first code: nothing", Bytes({0xF6}), {}},
      {"a lone zero byte never reaches a leaf", Bytes({0x00}), {}},
      {"zero bits only: walks of 0-children until the input is used up", Bytes({0x00, 0x00, 0x00}),
       Text(std::string(61, 't'))},
      {"one bits only: no terminator, ends when the input runs out", Bytes({0xFF, 0xFF, 0xFF, 0xFF}),
       [] {
         std::vector<uint8_t> v(1, 's');
         v.resize(60, 0);
         v.push_back(' ');
         return v;
       }()},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.Reason);
    EXPECT_EQ(Decoded(c.Stream), c.Expected);
  }
}

TEST(LzhDecoder, EmptyStreamStillWritesOnceWithZero) {
  for (const auto& stream : {std::vector<uint8_t>{}, Bytes({0x80})}) {
    const DecodeRecord r = RecordDecode(stream);
    EXPECT_EQ(r.WriteCounts, std::vector<uint16_t>{0});
  }
}

TEST(LzhDecoder, FlushesOnlyBeforeStoringIntoAFullBuffer) {
  // 16 bytes fill a 16-byte buffer exactly: one final write of 16, no trailing empty write.
  EXPECT_EQ(RecordDecode(Bytes({0xF6, 0xCC, 0x00, 0x20}), 16, 16).WriteCounts, (std::vector<uint16_t>{16}));
  EXPECT_EQ(RecordDecode(Bytes({0xF6, 0xCC, 0x80, 0x20}), 16, 16).WriteCounts, (std::vector<uint16_t>{16, 1}));
}

TEST(LzhDecoder, BufferSizesAreClamped) {
  TLZHCompressor decoder;
  EXPECT_EQ(decoder.InBufferSize(), 1024);
  EXPECT_EQ(decoder.OutBufferSize(), 1024);
  EXPECT_TRUE(decoder.Idle());
  const struct {
    uint16_t Asked, Got;
  } sizes[] = {{0, 16}, {15, 16}, {16, 16}, {4000, 4000}, {32768, 32768}, {32769, 32768}, {65535, 32768}};
  for (const auto& s : sizes) {
    decoder.SetInBufferSize(s.Asked);
    decoder.SetOutBufferSize(s.Asked);
    EXPECT_EQ(decoder.InBufferSize(), s.Got) << s.Asked;
    EXPECT_EQ(decoder.OutBufferSize(), s.Got) << s.Asked;
  }
}

TEST(LzhDecoder, ReadsUntilTheEventDeliversNothing) {
  const DecodeRecord r = RecordDecode(Bytes({0xF6, 0xFB, 0xBD, 0xF0}), 16, 16);
  EXPECT_EQ(r.ReadCalls, 2);
  EXPECT_EQ(r.EmptyReads, 1);
}

TEST(LzhDecoder, SizeChangesAndNestedDecompressInsideEventsHaveNoEffect) {
  TLZHCompressor decoder;
  decoder.SetInBufferSize(16);
  decoder.SetOutBufferSize(16);
  const std::vector<uint8_t> stream = Bytes({0xF6, 0xFB, 0x40, 0x10});  // 61 bytes out
  std::vector<uint8_t> output;
  std::vector<uint16_t> writes;
  size_t readPos = 0;
  bool idleInsideEvents = true;
  decoder.OnReadBlock = [&](uint8_t* buffer, uint16_t count, uint16_t& done) {
    idleInsideEvents = idleInsideEvents && decoder.Idle();
    decoder.SetInBufferSize(4096);
    decoder.Decompress();  // must return at once
    done = static_cast<uint16_t>(std::min<size_t>(count, stream.size() - readPos));
    std::copy(stream.begin() + readPos, stream.begin() + readPos + done, buffer);
    readPos += done;
  };
  decoder.OnWriteBlock = [&](uint8_t* buffer, uint16_t count, uint16_t&) {
    decoder.SetOutBufferSize(20000);
    decoder.Decompress();
    EXPECT_TRUE(DecodedWith(decoder, stream).empty());  // and leaves the running decode's events alone
    writes.push_back(count);
    output.insert(output.end(), buffer, buffer + count);
  };
  decoder.Decompress();
  EXPECT_FALSE(idleInsideEvents);
  EXPECT_EQ(output, Text(std::string(61, 'a')));
  EXPECT_EQ(writes, (std::vector<uint16_t>{16, 16, 16, 13}));
  EXPECT_EQ(decoder.InBufferSize(), 16);
  EXPECT_EQ(decoder.OutBufferSize(), 16);
  EXPECT_TRUE(decoder.Idle());
  EXPECT_TRUE(decoder.InputEnded());
}

TEST(LzhDecoder, ErrorsFromEventsReachTheCallerAndLeaveTheDecoderReusable) {
  for (const bool failInRead : {true, false}) {
    SCOPED_TRACE(failInRead ? "read event fails" : "write event fails");
    TLZHCompressor decoder;
    decoder.SetOutBufferSize(16);
    DecodeRecord record;
    size_t readPos = 0;
    const std::vector<uint8_t> stream = Bytes({0xF6, 0xFB, 0x40, 0x10});
    BindVectorEvents(decoder, stream, readPos, record);
    if (failInRead)
      decoder.OnReadBlock = [](uint8_t*, uint16_t, uint16_t&) { throw std::runtime_error("disk gone"); };
    else
      decoder.OnWriteBlock = [](uint8_t*, uint16_t, uint16_t&) { throw std::runtime_error("disk full"); };
    EXPECT_THROW(decoder.Decompress(), std::runtime_error);
    EXPECT_TRUE(decoder.Idle());
    decoder.SetOutBufferSize(32);  // accepted again once idle
    EXPECT_EQ(decoder.OutBufferSize(), 32);
    EXPECT_EQ(DecodedWith(decoder, Bytes({0xF6, 0xFB, 0xBD, 0xF0})), Text("abc"));
  }
}

TEST(LzhDecoder, NothingCarriesOverBetweenStreams) {
  TLZHCompressor decoder;
  EXPECT_EQ(DecodedWith(decoder, Bytes({0xF6, 0xFB, 0x40, 0x10})), Text(std::string(61, 'a')));
  EXPECT_EQ(DecodedWith(decoder, Bytes({0x8C, 0x00, 0x40})), Text("   "));
  EXPECT_EQ(DecodedWith(decoder, Bytes({0xF6, 0xFB, 0xBD, 0xF0})), Text("abc"));
}

TEST(LzhDecoder, ReadCountsBeyondTheBufferAreNotTrusted) {
  TLZHCompressor decoder;
  decoder.SetInBufferSize(16);
  std::vector<uint8_t> output;
  int calls = 0;
  decoder.OnReadBlock = [&](uint8_t* buffer, uint16_t count, uint16_t& done) {
    std::fill(buffer, buffer + count, 0x80);
    done = calls++ < 3 ? 65535 : 0;
  };
  decoder.OnWriteBlock = [&](uint8_t* buffer, uint16_t count, uint16_t&) { output.insert(output.end(), buffer, buffer + count); };
  decoder.Decompress();
  EXPECT_TRUE(decoder.Idle());
  EXPECT_LE(output.size(), 48u * 60u);
}

// Random garbage of any size must end, and a symbol costs at least one bit and a match at
// least ten, so the output is bounded by the input.
TEST(LzhDecoder, GarbageEndsWithBoundedOutput) {
  std::mt19937 rng(7);
  for (size_t size : {1u, 2u, 3u, 5u, 17u, 100u, 1000u, 5000u}) {
    for (int round = 0; round < 20; ++round) {
      std::vector<uint8_t> stream(size);
      for (auto& b : stream) b = static_cast<uint8_t>(rng());
      EXPECT_LE(Decoded(stream, 16, 16).size(), 48 * (size + 4)) << size;
    }
  }
}

// The model is rebuilt when the root reaches 32768: the root starts at 314 and grows by one
// per symbol, so the 32455th symbol triggers the first rebuild. The tree must stay a valid
// ordered tree whatever the symbol sequence (a hostile stream chooses it freely).
void ExpectValidTree(const lzh::HuffmanModel& m) {
  using namespace lzh;
  int leaves = 0;
  for (unsigned n = 0; n < kNodes; ++n) {
    ASSERT_LE(m.freq[n], m.freq[n + 1]) << "order at node " << n;
    const unsigned c = m.child[n];
    if (c >= kNodes) {
      ++leaves;
      ASSERT_EQ(m.LeafNode(c - kNodes), n);
    } else {
      ASSERT_LT(c + 1, n);
      ASSERT_EQ(m.parent[c], n);
      ASSERT_EQ(m.parent[c + 1], n);
      ASSERT_EQ(m.freq[n], m.freq[c] + m.freq[c + 1]);
    }
  }
  ASSERT_EQ(leaves, static_cast<int>(kSymbols));
}

TEST(LzhModel, FirstRebuildAtThe32455thSymbolAndTreeStaysValid) {
  using namespace lzh;
  std::mt19937 rng(1);
  const std::vector<std::function<unsigned()>> sequences = {
      [] { return 313u; },                          // one symbol dominates
      [&rng] { return unsigned(rng() % kSymbols); },  // uniform
      [&rng] { return unsigned(rng() % 3 == 0 ? rng() % kSymbols : rng() % 4); },
  };
  for (const auto& next : sequences) {
    HuffmanModel m;
    m.StartModel();
    EXPECT_EQ(m.freq[kRoot], 314);
    for (int i = 1; i < 32455; ++i) m.UpdateModel(next());
    EXPECT_EQ(m.freq[kRoot], 32768);
    ExpectValidTree(m);
    m.UpdateModel(next());
    EXPECT_LT(m.freq[kRoot], 32768 / 2 + 400);  // halved (rounded up), then counted once
    ExpectValidTree(m);
    for (int i = 0; i < 100000; ++i) m.UpdateModel(next());
    ExpectValidTree(m);
  }
}

}  // namespace
