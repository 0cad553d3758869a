#include "PackageDigests.h"

#include <charconv>
#include <utility>

#include "AsciiCase.h"
#include "ByteFile.h"

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;  // upper case too: one spelling of a digest, as the table is written
}

bool ParseDigest(const std::string& text, Sha256::Digest& digest) {
  if (text.size() != 2 * digest.size()) return false;
  for (size_t i = 0; i < digest.size(); ++i) {
    const int high = HexDigitValue(text[2 * i]), low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    digest[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}

bool ParseSize(const std::string& text, int64_t& size) {
  // Decimal digits only, one spelling of each number: no sign, no leading zero.
  if (text.empty() || text.size() > 18 || (text.size() > 1 && text[0] == '0')) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  return error == std::errc() && end == text.data() + text.size();
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace

std::optional<PackageDigests> PackageDigests::Parse(const std::string& text) {
  PackageDigests table;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find('\n', at);
    if (end == std::string::npos) return std::nullopt;  // a line cut short
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    PackageDigest entry;
    if (second == std::string::npos || !ParseDigest(line.substr(0, first), entry.Digest) ||
        !ParseSize(line.substr(first + 1, second - first - 1), entry.Size))
      return std::nullopt;
    entry.Name = line.substr(second + 1);
    if (entry.Name.empty() || entry.Name.find('\r') != std::string::npos || table.Find(entry.Name)) return std::nullopt;
    table.Add(std::move(entry));
  }
  return table;
}

std::string PackageDigests::Text() const {
  std::string text;
  for (const PackageDigest& entry : entries_)
    text += DigestText(entry.Digest) + ' ' + std::to_string(entry.Size) + ' ' + entry.Name + '\n';
  return text;
}

const PackageDigest* PackageDigests::Find(const std::string& name) const {
  for (const PackageDigest& entry : entries_)
    if (SameName(entry.Name, name)) return &entry;
  return nullptr;
}

PackageDigest DigestOfFile(ByteFile& file, const std::string& name) {
  PackageDigest digest;
  digest.Name = name;
  Sha256 sha;
  file.Seek(0);
  uint8_t buffer[32768];
  for (uint32_t count; (count = file.Read(buffer, sizeof buffer)) > 0;) {
    sha.Update(buffer, count);
    digest.Size += count;
  }
  digest.Digest = sha.Final();
  file.Seek(0);
  return digest;
}

bool MatchesDigest(ByteFile& file, const PackageDigest& pinned) {
  // The size first: a package of another size is not read at all.
  if (file.Size() != pinned.Size) return false;
  const PackageDigest read = DigestOfFile(file, pinned.Name);
  return read.Size == pinned.Size && read.Digest == pinned.Digest;
}

std::string NotPinnedErrorText(const std::string& packageName) {
  return "PAK file " + packageName + " is corrupt: it is not the package this Setup was built with";
}
