#pragma once
#include <string>

#include "CodePage.h"

// Case folding of ASCII letters only. Names and paths are byte strings (UTF-8, or an old code
// page): a locale's toupper would change bytes of other characters, and Windows compares the
// names we care about (file names, switches, drive letters) without case for ASCII anyway.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A text folds character by character: in a double-byte code page the second byte of a
// character may be an ASCII letter, and changing it would name another character.
inline std::string AsciiUpper(std::string text, const CodePage& page = ProgramCodePage()) {
  for (size_t at = 0; at < text.size(); at += page.CharacterLength(text, at)) text[at] = AsciiUpper(text[at]);
  return text;
}

inline std::string AsciiLower(std::string text, const CodePage& page = ProgramCodePage()) {
  for (size_t at = 0; at < text.size(); at += page.CharacterLength(text, at)) text[at] = AsciiLower(text[at]);
  return text;
}
