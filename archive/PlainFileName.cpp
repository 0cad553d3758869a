#include "PlainFileName.h"

#include <cstring>

#include "AsciiCase.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What may follow COM or LPT in a device name: one digit, or a superscript 1, 2 or 3. Windows
// takes those from the code page, so both spellings count: the one byte of code page 1252 and
// the two of UTF-8.
bool IsPortNumber(const std::string& rest) {
  if (rest.size() == 1) return IsDigit(rest[0]) || rest == "\xB9" || rest == "\xB2" || rest == "\xB3";
  return rest == "\xC2\xB9" || rest == "\xC2\xB2" || rest == "\xC2\xB3";
}

// The part before the first dot, without trailing blanks, is what Windows compares.
bool IsDeviceName(const std::string& name) {
  std::string stem = AsciiUpper(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (stem == device) return true;
  return stem.size() > 3 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         IsPortNumber(stem.substr(3));
}

// "~" and at least one digit, then a dot or the end of the name.
bool HasShortAliasForm(const std::string& name, const CodePage& page) {
  for (size_t tilde = FindAscii(name, '~', 0, page); tilde != std::string::npos;
       tilde = FindAscii(name, '~', tilde + 1, page)) {
    size_t end = tilde + 1;
    while (end < name.size() && IsDigit(name[end])) ++end;
    if (end > tilde + 1 && (end == name.size() || name[end] == '.')) return true;
  }
  return false;
}

}  // namespace

bool IsPlainFileName(const std::string& name, const CodePage& page) {
  // No second byte of a character is a dot or a blank, so the last byte tells. Also "." and "..".
  if (name.empty() || name.back() == '.' || name.back() == ' ' || !page.IsWhole(name)) return false;
  for (size_t at = 0; at < name.size(); at += page.CharacterLength(name, at)) {
    const char c = name[at];
    if (static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr) return false;
  }
  return !IsDeviceName(name) && !HasShortAliasForm(name, page);
}
