// Prints the size of every corpus file compressed by our encoder and by zlib at level 9 in
// gzip framing (what gzip -9 writes, without the stored file name), and by zlib limited to
// a 4 KiB window like ours, which shows how much of the gap is the window alone.
#include <zlib.h>

#include <cstdio>

#include "Corpus.h"
#include "LZHEncoder.h"

namespace {

size_t GzipSize(const std::vector<uint8_t>& data, int windowBits) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, windowBits + 16, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&z, data.size()) + 64);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  const size_t size = z.total_out;
  deflateEnd(&z);
  return size;
}

}  // namespace

int main() {
  std::vector<CorpusFile> files = LicenseTexts();
  files.push_back({"text corpus (1 MiB)", TextCorpus()});
  files.push_back({"binary corpus (1 MiB)", BinaryCorpus()});
  size_t totalLzh = 0, totalGzip = 0;
  std::printf("%-24s %10s %10s %10s %8s %12s\n", "file", "size", "lzh", "gzip -9", "lzh/gz", "gzip -9 4K");
  for (const CorpusFile& f : files) {
    const size_t lzh = LzhCompress(f.Data.data(), f.Data.size()).size();
    const size_t gz = GzipSize(f.Data, 15);
    std::printf("%-24s %10zu %10zu %10zu %8.3f %12zu\n", f.Name.c_str(), f.Data.size(), lzh, gz, double(lzh) / double(gz),
                GzipSize(f.Data, 12));
    if (f.Name.find("corpus") == std::string::npos) {
      totalLzh += lzh;
      totalGzip += gz;
    }
  }
  std::printf("%-24s %10s %10zu %10zu %8.3f\n", "license texts together", "", totalLzh, totalGzip,
              double(totalLzh) / double(totalGzip));
  return 0;
}
