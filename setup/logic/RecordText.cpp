#include "RecordText.h"

#include <algorithm>

#include "archive/CodePage.h"

std::vector<uint8_t> EncodeRecordText(const std::string& text, size_t maxLength) {
  const std::string kept = CutToBytes(text, std::min(maxLength, RecordTextMax));
  std::vector<uint8_t> bytes(kept.size() + 1);
  bytes[0] = static_cast<uint8_t>(kept.size());
  std::copy(kept.begin(), kept.end(), bytes.begin() + 1);
  return bytes;
}

std::string DecodeRecordText(const std::vector<uint8_t>& bytes, size_t maxLength) {
  if (bytes.empty()) return std::string();
  const size_t stored = std::min(static_cast<size_t>(bytes[0]), bytes.size() - 1);
  const std::string text(bytes.begin() + 1, bytes.begin() + 1 + static_cast<std::ptrdiff_t>(stored));
  // A text cut short here, or stored cut short, keeps only its whole characters; one read
  // whole stays as written, whatever its code page.
  if (stored < bytes[0] || stored > maxLength) return CutToBytes(text, std::min(stored, maxLength));
  return text;
}

std::optional<std::string> DecodeRecordVersion(const std::vector<uint8_t>& bytes) {
  if (bytes.size() > RecordVersionMax + 1 || (!bytes.empty() && bytes[0] > RecordVersionMax))
    return std::nullopt;
  return DecodeRecordText(bytes);
}
