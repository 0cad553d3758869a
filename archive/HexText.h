#pragma once
#include <cstdint>
#include <string>

// 16 random bytes as 32 lower-case hexadecimal digits: names no one can foresee.
inline std::string HexText(const uint8_t (&random)[16]) {
  const char digits[] = "0123456789abcdef";
  std::string text;
  for (const uint8_t byte : random) {
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  return text;
}
