#include "ErrorText.h"

#include <algorithm>

std::string ErrorBoxText(const std::string& message) {
  if (message.empty()) {
    return message;
  }
  const auto last = static_cast<unsigned char>(message.back());
  return last > static_cast<unsigned char>('.') ? message + "." : message;
}

namespace {

// A character that arranges or breaks the text instead of showing: C0 and DEL in any code page;
// in UTF-8 also C1 (U+0080 to U+009F), U+2028 and U+2029, and the direction marks, embeddings,
// overrides and isolates (U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069).
bool Unshown(const std::string& text, size_t at, size_t length, const CodePage& page) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
  if (length == 1) return byte(0) < 0x20 || byte(0) == 0x7F;
  if (!page.IsUtf8()) return false;
  if (length == 2) return byte(0) == 0xC2 && byte(1) <= 0x9F;
  if (length != 3 || byte(0) != 0xE2) return false;
  const unsigned low = byte(2);
  return (byte(1) == 0x80 && (low == 0x8E || low == 0x8F || (low >= 0xA8 && low <= 0xAE))) ||
         (byte(1) == 0x81 && low >= 0xA6 && low <= 0xA9);
}

}  // namespace

std::string ShownProgramName(const std::string& name, const CodePage& page) {
  std::string shown;
  for (size_t at = 0; at < name.size();) {
    const size_t length = std::min(page.CharacterLength(name, at), name.size() - at);
    if (!Unshown(name, at, length, page)) shown.append(name, at, length);
    at += length;
  }
  if (shown.size() <= ProgramNameMax) return shown;
  return CutToBytes(shown, ProgramNameMax - 3, page) + "...";
}
