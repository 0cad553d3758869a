#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Benchmark inputs that exist on any Debian machine that builds this project, or are made
// from them deterministically.
struct CorpusFile {
  std::string Name;
  std::vector<uint8_t> Data;
};

// The license texts of base-files (/usr/share/common-licenses), each file on its own.
std::vector<CorpusFile> LicenseTexts();

// 1 MiB of text: the first MiB of CMake's reference manual pages, in name order.
std::vector<uint8_t> TextCorpus();

// 1 MiB of machine code and data: the start of the cmake executable.
std::vector<uint8_t> BinaryCorpus();
