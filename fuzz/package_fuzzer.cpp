// Arbitrary bytes as a package: every reader and the extraction engine must fail cleanly,
// never crash, never write outside their scratch directory.
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "ByteFile.h"
#include "Extract.h"
#include "Package.h"
#include "PackageDigests.h"

namespace {

// Damaged streams can decode to far more than they hold; stop each input after a bound.
class BoundedObserver : public ExtractionObserver {
public:
  struct OutputBoundReached {};
  void StatusChanged(const std::string&) override {}
  void BytesWritten(uint32_t count) override {
    total_ += count;
    if (total_ > 4 * 1024 * 1024) throw OutputBoundReached();
  }

private:
  uint64_t total_ = 0;
};

std::string MakeScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qmfuzzXXXXXX").string();
  return mkdtemp(&pattern[0]) ? pattern : std::string();
}

const std::string& ScratchDir() {
  static const std::string dir = MakeScratchDir();
  return dir;
}

template <class Step>
void IgnoringPackageErrors(Step step) {
  try {
    step();
  } catch (const EFileError&) {
  } catch (const EPackageError&) {
  } catch (const BoundedObserver::OutputBoundReached&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string dir = ScratchDir();
  if (dir.empty()) return 0;
  const std::string pakPath = dir + "/fuzz.pak";
  const std::string destDir = dir + "/dest";
  std::ofstream(pakPath, std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                 static_cast<std::streamsize>(size));

  PackageInfo info;
  ScanPackageFile(pakPath, info);
  IgnoringPackageErrors([&] {
    ByteFile file;
    file.Open(pakPath, ByteFile::Mode::Read);
    PackageInfo appInfo;
    if (ReadAppPackageHeader(file).ProductIsQuillmark) ScanPackageTable(file, appInfo);
  });
  IgnoringPackageErrors([&] {
    ByteFile file;
    file.Open(pakPath, ByteFile::Mode::Read);
    ReadPackageDirectory(file);
  });
  IgnoringPackageErrors([&] {
    BoundedObserver observer;
    PackageExtractor extractor(observer);
    ByteFile file;
    file.Open(pakPath, ByteFile::Mode::Read);
    FileList list;
    extractor.ExtractPackage(file, "fuzz.pak", DestinationOf(destDir, NativePathStyle()), info, list);
  });
  // The same bytes as a digest table: one it accepts, it writes back to the letter.
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (const std::optional<PackageDigests> table = PackageDigests::Parse(text))
    if (table->Text() != text) std::abort();

  std::error_code ignored;
  std::filesystem::remove_all(destDir, ignored);
  // Anything besides the package and the destination would be a file written outside it.
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().filename() != "fuzz.pak") std::abort();
  }
  return 0;
}
