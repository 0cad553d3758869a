#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "LZHBitWriter.h"
#include "LZHEncoder.h"
#include "LZHModel.h"
#include "LZHTokenCoder.h"
#include "LZHTestSupport.h"
#include "TestData.h"

namespace {

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data) { return LzhCompress(data.data(), data.size()); }

std::vector<uint8_t> MakeText(size_t size, uint32_t seed) {
  static const char* const words[] = {"the ", "setup ", "of ", "Quillmark ", "help ", "file ", "and ", "a ",
                                      "context ", "editor\r\n", "installs ", "into ", "Delphi ", "    ", ", "};
  std::mt19937 rng(seed);
  std::vector<uint8_t> out;
  while (out.size() < size) {
    const std::string w = words[rng() % (sizeof words / sizeof *words)];
    out.insert(out.end(), w.begin(), w.end());
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> MakeBinary(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out(size);
  for (size_t i = 0; i < size; ++i) out[i] = (i % 16 < 4) ? static_cast<uint8_t>(i >> 4) : static_cast<uint8_t>(rng() % 8);
  return out;
}

std::vector<uint8_t> MakeRepetitive(size_t size, uint32_t seed) { return std::vector<uint8_t>(size, uint8_t('a' + seed % 3)); }

struct Kind {
  const char* Name;
  std::function<std::vector<uint8_t>(size_t, uint32_t)> Make;
};

const Kind kKinds[] = {{"text", MakeText}, {"binary", MakeBinary}, {"random", RandomData}, {"repetitive", MakeRepetitive}};

// Also the decoder fuzzer's first find: the self-check compared an empty block through the
// null pointer of an empty input (caught by the sanitizer build).
TEST(LzhEncoder, EmptyInputIsTheTerminatorAlone) {
  EXPECT_EQ(Compress({}), std::vector<uint8_t>{0x80});
  EXPECT_EQ(LzhCompress(nullptr, 0), std::vector<uint8_t>{0x80});
}

TEST(LzhEncoder, RoundTripsManyKindsAndSizes) {
  const size_t sizes[] = {1, 2, 3, 4, 59, 60, 61, 62, 100, 1000, 4035, 4036, 4095, 4096, 4097, 8193, 40000, 200000};
  for (const Kind& kind : kKinds) {
    for (size_t size : sizes) {
      SCOPED_TRACE(std::string(kind.Name) + " of " + std::to_string(size));
      const std::vector<uint8_t> data = kind.Make(size, static_cast<uint32_t>(size));
      const std::vector<uint8_t> stream = Compress(data);
      EXPECT_EQ(Decoded(stream), data);
    }
  }
}

// Far past the first tree rebuild (the 32455th symbol) and past several more.
TEST(LzhEncoder, RoundTripsAcrossManyTreeRebuilds) {
  std::vector<uint8_t> data = MakeText(600000, 3);
  const std::vector<uint8_t> binary = MakeBinary(300000, 4);
  data.insert(data.end(), binary.begin(), binary.end());
  EXPECT_EQ(Decoded(Compress(data), 32768, 32768), data);
}

TEST(LzhEncoder, CompressesRunsAndTheInitialSpaces) {
  EXPECT_LE(Compress(std::vector<uint8_t>(100, ' ')).size(), 6u);  // two matches into the spaces
  EXPECT_LE(Compress(std::vector<uint8_t>(60000, 'x')).size(), 60000u / 60 * 11 / 8);  // ~10 bits a match
  const std::vector<uint8_t> text = MakeText(100000, 5);
  EXPECT_LT(Compress(text).size(), text.size() / 6);  // 0.159; matches cut one short give 0.172
  const std::vector<uint8_t> random = RandomData(100000, 6);
  EXPECT_LT(Compress(random).size(), random.size() * 115 / 100);
}

TEST(LzhEncoder, BufferSizesGiveIdenticalOutputAndBlockPattern) {
  const std::vector<uint8_t> data = MakeText(5000, 9);
  const std::vector<uint8_t> stream = Compress(data);
  const DecodeRecord small = RecordDecode(stream, 16, 16);
  const DecodeRecord large = RecordDecode(stream, 32768, 32768);
  EXPECT_EQ(small.Output, data);
  EXPECT_EQ(large.Output, data);
  ASSERT_EQ(small.WriteCounts.size(), 5000u / 16 + 1);
  EXPECT_EQ(small.WriteCounts.back(), 5000 % 16);
  EXPECT_EQ(large.WriteCounts, std::vector<uint16_t>{5000});
  EXPECT_EQ(small.ReadCalls, static_cast<int>((stream.size() + 15) / 16 + 1));
  EXPECT_EQ(large.ReadCalls, 2);
}

// Codes 'a' followed by length-60 matches at distance 0 the plain way, without any care for
// the ending, and returns the first such stream whose last code ends on a byte boundary while
// the root's 1-child is a leaf, together with the data it stands for.
std::pair<std::vector<uint8_t>, std::vector<uint8_t>> FindMisreadStream() {
  using namespace lzh;
  HuffmanModel model;
  model.StartModel();
  LzhBitWriter writer;
  CodeToken(model, writer, {1, 'a'});
  std::vector<uint8_t> data(1, 'a');
  for (;;) {
    CodeToken(model, writer, {60, 0});
    data.resize(data.size() + 60, 'a');
    if (writer.BitCount() % 8 == 0 && model.IsLeaf(model.child[kRoot] + 1u)) return {writer.Finish(), data};
  }
}

TEST(LzhEncoder, AvoidsTheEndingTheDecoderMisreads) {
  const auto [naive, data] = FindMisreadStream();
  EXPECT_GT(Decoded(naive).size(), data.size());  // the hazard is real
  EXPECT_EQ(Decoded(Compress(data)), data);
}

// Long runs make one symbol so frequent that it becomes the root's 1-child. Half of these
// inputs end on a byte boundary as first parsed: the runs alone end in a match (coded again
// with that match split), the runs followed by "b" in a literal (coded again with the last
// match as literals).
TEST(LzhEncoder, RunsWhoseEndingIsAtRiskRoundTrip) {
  for (size_t size = 20140; size < 20170; ++size) {
    const std::vector<uint8_t> data(size, 'a');
    ASSERT_EQ(Decoded(Compress(data)), data) << size;
  }
  for (size_t size = 20040; size < 20080; ++size) {
    std::vector<uint8_t> data(size, 'a');
    data.push_back('b');
    ASSERT_EQ(Decoded(Compress(data)), data) << size << " and b";
  }
}

TEST(LzhEncoder, ShortInputsRoundTrip) {
  for (unsigned v = 0; v < 256; ++v) {
    const std::vector<uint8_t> one = {static_cast<uint8_t>(v)};
    ASSERT_EQ(Decoded(Compress(one)), one) << v;
    for (uint8_t second : {0, 1, 32, 97, 128, 255}) {
      const std::vector<uint8_t> two = {static_cast<uint8_t>(v), second};
      ASSERT_EQ(Decoded(Compress(two)), two) << v << " " << int(second);
    }
  }
}

// Truncated and corrupted real streams end without harm and with bounded output.
TEST(LzhDecoder, TruncatedAndCorruptedStreamsEndSafely) {
  const std::vector<uint8_t> stream = Compress(MakeText(20000, 11));
  for (size_t cut = 0; cut < stream.size(); cut += 7) {
    const std::vector<uint8_t> part(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_LE(Decoded(part, 16, 16).size(), 48 * (cut + 4));
  }
  std::mt19937 rng(12);
  for (int round = 0; round < 200; ++round) {
    std::vector<uint8_t> bad = stream;
    bad[rng() % bad.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
    EXPECT_LE(Decoded(bad).size(), 48 * (bad.size() + 4));
  }
}

}  // namespace
