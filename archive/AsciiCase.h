#pragma once
#include <string>

// Case folding of ASCII letters only. Names and paths are byte strings (UTF-8, or an old code
// page): a locale's toupper would change bytes of other characters, and Windows compares the
// names we care about (file names, switches, drive letters) without case for ASCII anyway.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiUpper(std::string text) {
  for (char& c : text) c = AsciiUpper(c);
  return text;
}

inline std::string AsciiLower(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}
