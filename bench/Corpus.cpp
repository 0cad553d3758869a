#include "Corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

constexpr size_t kCorpusSize = 1 << 20;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::vector<uint8_t> data(std::min<size_t>(limit, static_cast<size_t>(std::filesystem::file_size(path))));
  in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
  data.resize(static_cast<size_t>(in.gcount()));
  return data;
}

}  // namespace

std::vector<CorpusFile> LicenseTexts() {
  std::vector<CorpusFile> files;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/share/common-licenses")) {
    if (entry.is_symlink() || !entry.is_regular_file()) continue;
    files.push_back({entry.path().filename().string(), ReadFile(entry.path(), entry.file_size())});
  }
  std::sort(files.begin(), files.end(), [](const CorpusFile& a, const CorpusFile& b) { return a.Name < b.Name; });
  return files;
}

std::vector<uint8_t> TextCorpus() {
  // CMake's reference manual: real English prose with markup, present wherever this project
  // builds. Files in name order, so the corpus is the same on every machine of one CMake version.
  std::vector<std::filesystem::path> pages;
  const std::filesystem::path help = std::filesystem::path(CMAKE_ROOT_DIR) / "Help";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(help))
    if (entry.is_regular_file() && entry.path().extension() == ".rst") pages.push_back(entry.path());
  std::sort(pages.begin(), pages.end());
  std::vector<uint8_t> text;
  for (const auto& page : pages) {
    if (text.size() >= kCorpusSize) break;
    const std::vector<uint8_t> data = ReadFile(page, kCorpusSize - text.size());
    text.insert(text.end(), data.begin(), data.end());
  }
  if (text.size() < kCorpusSize) throw std::runtime_error("CMake's manual holds less than 1 MiB of text");
  return text;
}

std::vector<uint8_t> BinaryCorpus() { return ReadFile("/usr/bin/cmake", kCorpusSize); }
