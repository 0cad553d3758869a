#include "Corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
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

std::vector<std::string> Words(const std::vector<uint8_t>& text) {
  std::vector<std::string> words;
  std::string word;
  for (uint8_t c : text) {
    word += static_cast<char>(c);
    if (c == ' ' || c == '\n') {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
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
  std::vector<uint8_t> text;
  for (const CorpusFile& f : LicenseTexts()) text.insert(text.end(), f.Data.begin(), f.Data.end());
  const std::vector<std::string> words = Words(text);
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> next;
  for (size_t i = 2; i < words.size(); ++i) next[{words[i - 2], words[i - 1]}].push_back(words[i]);
  std::mt19937 rng(20261208);
  std::string a = words[0], b = words[1];
  while (text.size() < kCorpusSize) {
    const auto& choices = next[{a, b}];
    std::string c = choices.empty() ? words[rng() % words.size()] : choices[rng() % choices.size()];
    text.insert(text.end(), c.begin(), c.end());
    a = std::move(b);
    b = std::move(c);
  }
  text.resize(kCorpusSize);
  return text;
}

std::vector<uint8_t> BinaryCorpus() { return ReadFile("/usr/bin/cmake", kCorpusSize); }
