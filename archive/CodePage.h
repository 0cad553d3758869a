#pragma once
#include <bitset>
#include <cstddef>
#include <string>

// How the program's byte strings divide into characters. Both programs declare UTF-8 as their
// code page, which Windows 10 1903 and later (and Wine 8) honour: the ...A calls then take and
// give UTF-8. Older Windows use the system's code page instead: one byte a character, or, in
// the double-byte code pages of East Asia (932, 936, 949, 950), a lead byte and the byte after
// it, which may be a backslash or an ASCII letter ("表" is 0x95 0x5C in code page 932). So
// whatever cuts, splits or case-folds a name goes by characters, never by bytes alone.
class CodePage {
public:
  static CodePage Utf8();
  static CodePage SingleByte(unsigned number);
  static CodePage DoubleByte(unsigned number, const std::bitset<256>& leadBytes);

  unsigned Number() const { return number_; }  // 65001, 1252, 932 ...
  bool IsUtf8() const { return kind_ == Kind::Utf8; }

  // The length of the character that begins at text[at]; it reaches past the end of a text cut
  // inside that character. A byte that begins no character (in text that is not UTF-8) counts
  // as a character of its own.
  size_t CharacterLength(const std::string& text, size_t at) const;
  // Whether text is whole characters only: valid UTF-8, or no lead byte without its second.
  bool IsWhole(const std::string& text) const;

private:
  enum class Kind { Utf8, SingleByte, DoubleByte };
  CodePage(Kind kind, unsigned number, const std::bitset<256>& leadBytes)
      : kind_(kind), number_(number), leadBytes_(leadBytes) {}
  Kind kind_;
  unsigned number_;
  std::bitset<256> leadBytes_;
};

// The code page of this program's ...A calls: UTF-8 on Linux and wherever Windows honours the
// manifest; on older Windows the system's code page (the Win32 half asks GetACP).
const CodePage& ProgramCodePage();

// The beginning of text that fits in maxBytes and ends with a whole character. The record and
// the file lists count bytes, and half a character names nothing.
std::string CutToBytes(const std::string& text, size_t maxBytes, const CodePage& page = ProgramCodePage());

// Where the ASCII character c stands by itself (never as the second byte of a double-byte
// character), searching from `from`, which begins a character; npos when nowhere.
size_t FindAscii(const std::string& text, char c, size_t from = 0, const CodePage& page = ProgramCodePage());
size_t FindLastAscii(const std::string& text, char c, const CodePage& page = ProgramCodePage());
bool EndsWithAscii(const std::string& text, char c, const CodePage& page = ProgramCodePage());
