#include "ConsoleText.h"

#include <cstdio>

#include "CodePage.h"

std::string DecodeEscapes(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '\\' && i + 1 < text.size();
    if (escape && text[i + 1] == 'r') {
      result += '\r';
      ++i;
    } else if (escape && text[i + 1] == 'n') {
      result += '\n';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string VisibleText(const std::string& text) {
  const CodePage utf8 = CodePage::Utf8();
  std::string result;
  for (size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    const size_t length = utf8.CharacterLength(text, at);
    const std::string character = text.substr(at, length);
    if (length > 1 && character.size() == length && utf8.IsWhole(character)) {
      result += character;  // shown as the UTF-8 it is
      at += length - 1;
    } else if (c == '\r') {
      result += "\\r";
    } else if (c == '\n') {
      result += "\\n";
    } else if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(c));
      result += code;
    } else {
      result += c;
    }
  }
  return result;
}

std::string OneLine(const std::string& text) {
  const std::string separator = " / ";
  std::string result;
  bool pendingBreak = false;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      pendingBreak = !result.empty();
      continue;
    }
    if (pendingBreak) result += separator;
    pendingBreak = false;
    result += c;
  }
  return result;
}
