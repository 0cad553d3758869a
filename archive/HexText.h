#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Bytes as lower-case hexadecimal digits, two a byte: names no one can foresee (16 random bytes
// give 32 digits) and digests as sha256sum prints them.
inline std::string HexText(const uint8_t* bytes, size_t size) {
  const char digits[] = "0123456789abcdef";
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    text += digits[bytes[i] >> 4];
    text += digits[bytes[i] & 15];
  }
  return text;
}

template <size_t N>
std::string HexText(const uint8_t (&bytes)[N]) {
  return HexText(bytes, N);
}
