#include "ProgramResource.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t RcDataType = 10;
constexpr uint32_t ResourceDirectoryIndex = 2;

// Little-endian reads that refuse to pass the end of the file.
class Image {
public:
  explicit Image(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint32_t U16(uint64_t at) const { return Need(at, 2), bytes_[at] | bytes_[at + 1] << 8; }
  uint32_t U32(uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::string Bytes(uint64_t at, uint64_t size) const {
    Need(at, size);
    return std::string(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(at + size));
  }

private:
  void Need(uint64_t at, uint64_t size) const {
    if (at > bytes_.size() || size > bytes_.size() - at) throw std::runtime_error("not a Windows program (cut short)");
  }
  std::vector<uint8_t> bytes_;
};

struct Section {
  uint32_t VirtualAddress, VirtualSize, RawOffset, RawSize;
};

class ProgramImage {
public:
  explicit ProgramImage(std::vector<uint8_t> bytes) : image_(std::move(bytes)) {
    if (image_.U16(0) != 0x5A4D) throw std::runtime_error("not a Windows program (no MZ header)");
    const uint32_t pe = image_.U32(0x3C);
    if (image_.U32(pe) != 0x00004550) throw std::runtime_error("not a Windows program (no PE header)");
    const uint32_t sections = image_.U16(pe + 6);
    const uint32_t optionalSize = image_.U16(pe + 20);
    const uint64_t optional = pe + 24;
    const uint32_t magic = image_.U16(optional);
    if (magic != 0x10B && magic != 0x20B) throw std::runtime_error("not a Windows program (unknown optional header)");
    const uint64_t directories = optional + (magic == 0x10B ? 96 : 112);
    const uint32_t directoryCount = image_.U32(directories - 4);
    if (directoryCount > ResourceDirectoryIndex) resourceRva_ = image_.U32(directories + 8 * ResourceDirectoryIndex);
    for (uint32_t i = 0; i < sections; ++i) {
      const uint64_t at = optional + optionalSize + 40ull * i;
      sections_.push_back({image_.U32(at + 12), image_.U32(at + 8), image_.U32(at + 20), image_.U32(at + 16)});
    }
  }

  // The raw data of RCDATA `name` in its first language, or nothing.
  std::optional<std::string> NamedRcData(const std::string& name) const {
    if (resourceRva_ == 0) return std::nullopt;
    const uint64_t root = FileOffset(resourceRva_);
    const std::optional<uint32_t> types = Entry(root, [](uint32_t id) { return id == RcDataType; });
    if (!types || !(*types & 0x80000000)) return std::nullopt;
    // Resource compilers store names in upper case, as FindResource looks them up.
    const std::optional<uint32_t> names =
        Entry(root + (*types & 0x7FFFFFFF), [&](uint32_t nameAt) { return NameAt(root + nameAt) == name; }, true);
    if (!names || !(*names & 0x80000000)) return std::nullopt;
    const std::optional<uint32_t> language = Entry(root + (*names & 0x7FFFFFFF), [](uint32_t) { return true; });
    if (!language || (*language & 0x80000000)) return std::nullopt;
    const uint64_t data = root + *language;
    return image_.Bytes(FileOffset(image_.U32(data)), image_.U32(data + 4));
  }

private:
  uint64_t FileOffset(uint32_t rva) const {
    for (const Section& s : sections_)
      if (rva >= s.VirtualAddress && rva - s.VirtualAddress < std::max(s.VirtualSize, s.RawSize))
        return uint64_t{s.RawOffset} + (rva - s.VirtualAddress);
    throw std::runtime_error("not a Windows program (an address outside its sections)");
  }

  // What the first entry of a resource directory that matches points to: among the named
  // entries (matches sees the name's offset) or the numbered ones (matches sees the number).
  std::optional<uint32_t> Entry(uint64_t directory, const std::function<bool(uint32_t)>& matches,
                                bool byName = false) const {
    const uint32_t named = image_.U16(directory + 12), numbered = image_.U16(directory + 14);
    const uint32_t first = byName ? 0 : named, end = byName ? named : named + numbered;
    for (uint32_t i = first; i < end; ++i) {
      const uint64_t entry = directory + 16 + 8ull * i;
      if (matches(image_.U32(entry) & 0x7FFFFFFF)) return image_.U32(entry + 4);
    }
    return std::nullopt;
  }

  // A resource name: a 16-bit length and UTF-16 units; ours are ASCII.
  std::string NameAt(uint64_t at) const {
    std::string text;
    for (uint32_t i = 0, length = image_.U16(at); i < length; ++i) {
      const uint32_t unit = image_.U16(at + 2 + 2ull * i);
      text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
  }

  Image image_;
  uint32_t resourceRva_ = 0;
  std::vector<Section> sections_;
};

}  // namespace

std::optional<std::string> ReadNamedRcData(const std::string& programPath, const std::string& name) {
  std::ifstream file(programPath, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + programPath);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ProgramImage(std::move(bytes)).NamedRcData(name);
}
