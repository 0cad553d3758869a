// Decoded MB/s of our decoder next to zlib's inflate on the same data, and the encoder's MB/s.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include "Corpus.h"
#include "LZH.h"
#include "LZHEncoder.h"

namespace {

const std::vector<uint8_t>& Corpus(int which) {
  static const std::vector<uint8_t> text = TextCorpus();
  static const std::vector<uint8_t> binary = BinaryCorpus();
  return which == 0 ? text : binary;
}

const char* CorpusName(int which) { return which == 0 ? "text" : "binary"; }

void DecodeLzh(benchmark::State& state) {
  const std::vector<uint8_t>& data = Corpus(static_cast<int>(state.range(0)));
  const std::vector<uint8_t> stream = LzhCompress(data.data(), data.size());
  TLZHCompressor decoder;
  decoder.SetInBufferSize(32768);
  decoder.SetOutBufferSize(32768);
  std::vector<uint8_t> output;
  for (auto _ : state) output = DecodeStream(decoder, stream.data(), stream.size(), data.size());
  if (output != data) state.SkipWithError("decoded output differs");
  state.SetLabel(CorpusName(static_cast<int>(state.range(0))));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
  state.counters["packed"] = double(stream.size());
}

void InflateZlib(benchmark::State& state) {
  const std::vector<uint8_t>& data = Corpus(static_cast<int>(state.range(0)));
  uLongf packedSize = compressBound(data.size());
  std::vector<uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, data.data(), data.size(), 9);
  std::vector<uint8_t> output(data.size());
  for (auto _ : state) {
    uLongf outSize = output.size();
    uncompress(output.data(), &outSize, packed.data(), packedSize);
    benchmark::DoNotOptimize(output.data());
  }
  if (output != data) state.SkipWithError("inflated output differs");
  state.SetLabel(CorpusName(static_cast<int>(state.range(0))));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
  state.counters["packed"] = double(packedSize);
}

void EncodeLzh(benchmark::State& state) {
  const std::vector<uint8_t>& data = Corpus(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LzhCompress(data.data(), data.size()));
  state.SetLabel(CorpusName(static_cast<int>(state.range(0))));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

BENCHMARK(DecodeLzh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(InflateZlib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeLzh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
