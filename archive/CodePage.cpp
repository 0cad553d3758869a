#include "CodePage.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a UTF-8 lead byte announces, and the range its second byte must lie in (which
// shuts out overlong forms, surrogates and code points beyond U+10FFFF); 0 for no lead byte.
size_t Utf8Length(unsigned char lead, unsigned char& low, unsigned char& high) {
  low = 0x80;
  high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    return 4;
  }
  return 0;
}

}  // namespace

CodePage CodePage::Utf8() { return CodePage(Kind::Utf8, 65001, {}); }

CodePage CodePage::SingleByte(unsigned number) { return CodePage(Kind::SingleByte, number, {}); }

CodePage CodePage::DoubleByte(unsigned number, const std::bitset<256>& leadBytes) {
  return CodePage(Kind::DoubleByte, number, leadBytes);
}

size_t CodePage::CharacterLength(const std::string& text, size_t at) const {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (kind_ == Kind::SingleByte) return 1;
  if (kind_ == Kind::DoubleByte) return leadBytes_[lead] ? 2 : 1;
  unsigned char low = 0, high = 0;
  const size_t length = Utf8Length(lead, low, high);
  if (length == 0) return 1;
  // The bytes that are there must continue the character; those cut off are taken as coming.
  for (size_t i = 1; i < length && at + i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (i == 1 ? (byte < low || byte > high) : !IsContinuation(byte)) return 1;
  }
  return length;
}

bool CodePage::IsWhole(const std::string& text) const {
  for (size_t at = 0; at < text.size();) {
    const size_t length = CharacterLength(text, at);
    if (at + length > text.size()) return false;
    unsigned char low = 0, high = 0;
    if (kind_ == Kind::Utf8 && length == 1 && Utf8Length(static_cast<unsigned char>(text[at]), low, high) != 1)
      return false;
    at += length;
  }
  return true;
}

std::string CutToBytes(const std::string& text, size_t maxBytes, const CodePage& page) {
  const size_t limit = maxBytes < text.size() ? maxBytes : text.size();
  size_t end = 0;
  while (end < limit) {
    const size_t length = page.CharacterLength(text, end);
    if (end + length > limit) break;
    end += length;
  }
  return text.substr(0, end);
}

size_t FindAscii(const std::string& text, char c, size_t from, const CodePage& page) {
  for (size_t at = from; at < text.size(); at += page.CharacterLength(text, at))
    if (text[at] == c) return at;
  return std::string::npos;
}

size_t FindLastAscii(const std::string& text, char c, const CodePage& page) {
  size_t last = std::string::npos;
  for (size_t at = FindAscii(text, c, 0, page); at != std::string::npos; at = FindAscii(text, c, at + 1, page))
    last = at;
  return last;
}

bool EndsWithAscii(const std::string& text, char c, const CodePage& page) {
  const size_t last = FindLastAscii(text, c, page);
  return last != std::string::npos && last + 1 == text.size();
}
