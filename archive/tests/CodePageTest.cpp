#include <gtest/gtest.h>

#include "ShiftJis.h"

#include "AsciiCase.h"
#include "CodePage.h"

namespace {

const CodePage Utf8 = CodePage::Utf8();
const CodePage Latin = CodePage::SingleByte(1252);
const CodePage Japanese = ShiftJis();

TEST(CodePage, CutsAtTheLastWholeCharacterThatFits) {
  const struct {
    const char* why;
    const CodePage& page;
    std::string text;
    size_t maxBytes;
    std::string kept;
  } rows[] = {
      {"ASCII", Utf8, "Quillmark", 5, "Quill"},
      {"short enough", Utf8, "Müller", 7, "Müller"},
      {"two-byte character", Utf8, "Mü", 2, "M"},
      {"three-byte characters", Utf8, "王伟的程序", 8, "王伟"},
      {"four-byte character", Utf8, "a😀b", 4, "a"},
      {"a byte that is no UTF-8 counts as one", Utf8, "M\xFCller", 2, "M\xFC"},
      {"a character cut off at the end goes", Utf8, "ab\xE7\x8E", 10, "ab"},
      {"nothing fits", Utf8, "Квиллмарк", 1, ""},
      {"single-byte code page", Latin, "M\xFCller", 2, "M\xFC"},
      {"double-byte character", Japanese, "\x95\x5C\x8E\xA6", 3, "\x95\x5C"},
      {"lead byte without its second", Japanese, "a\x95", 5, "a"},
  };
  for (const auto& row : rows) EXPECT_EQ(CutToBytes(row.text, row.maxBytes, row.page), row.kept) << row.why;
}

TEST(CodePage, WholeTextsAreValidUtf8OrCompleteDoubleBytes) {
  const struct {
    const CodePage& page;
    std::string text;
    bool whole;
  } rows[] = {
      {Utf8, "C:\\Квиллмарк\\王伟的程序😀", true}, {Utf8, "", true},
      {Utf8, "M\xFCller", false},                   // code page 1252
      {Utf8, "\xC0\xAF", false},                    // overlong "/"
      {Utf8, "\xED\xA0\x80", false},                // surrogate
      {Utf8, "\xF4\x90\x80\x80", false},            // beyond U+10FFFF
      {Utf8, "\xE7\x8E", false},                    // cut short
      {Utf8, "\x80", false},                        // continuation alone
      {Japanese, "\x95\x5C\x8E\xA6", true},        {Japanese, "\x95", false},
      {Latin, "M\xFCller", true},
  };
  for (const auto& row : rows) EXPECT_EQ(row.page.IsWhole(row.text), row.whole) << row.text;
}

// A backslash or letter inside a double-byte character is part of it; in UTF-8 no byte of a
// longer character is ASCII.
TEST(CodePage, SeparatorsAndCaseGoByCharacters) {
  const std::string hyouji = "C:\\\x95\x5C\\\x95\x5C";  // C:\表\表
  EXPECT_EQ(FindLastAscii(hyouji, '\\', Japanese), 5u);
  EXPECT_FALSE(EndsWithAscii(hyouji, '\\', Japanese));
  EXPECT_TRUE(EndsWithAscii(hyouji, '\\', Latin));
  EXPECT_EQ(FindAscii("\\\\s\x95\x5C\\x", '\\', 2, Japanese), 5u);
  EXPECT_EQ(FindLastAscii("no separator", '\\', Utf8), std::string::npos);
  EXPECT_EQ(AsciiUpper("\x83\x61.txt", Japanese), "\x83\x61.TXT");  // 83 61 is one character
  EXPECT_EQ(AsciiUpper("\x83\x61.txt", Latin), "\x83\x41.TXT");
  EXPECT_EQ(AsciiUpper("été.txt", Utf8), "éTé.TXT");
}

}  // namespace
