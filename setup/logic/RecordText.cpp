#include "RecordText.h"

#include <algorithm>

std::vector<uint8_t> EncodeRecordText(const std::string& text, size_t maxLength) {
  const size_t length = std::min({text.size(), maxLength, RecordTextMax});
  std::vector<uint8_t> bytes(length + 1);
  bytes[0] = static_cast<uint8_t>(length);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), bytes.begin() + 1);
  return bytes;
}

std::string DecodeRecordText(const std::vector<uint8_t>& bytes, size_t maxLength) {
  if (bytes.empty()) return std::string();
  const size_t length = std::min({static_cast<size_t>(bytes[0]), bytes.size() - 1, maxLength});
  return std::string(bytes.begin() + 1, bytes.begin() + 1 + static_cast<std::ptrdiff_t>(length));
}

std::optional<std::string> DecodeRecordVersion(const std::vector<uint8_t>& bytes) {
  if (bytes.size() > RecordVersionMax + 1 || (!bytes.empty() && bytes[0] > RecordVersionMax))
    return std::nullopt;
  return DecodeRecordText(bytes);
}
