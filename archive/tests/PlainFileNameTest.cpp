#include <gtest/gtest.h>

#include <bitset>
#include <string>

#include "CodePage.h"
#include "PlainFileName.h"

namespace {

TEST(PlainFileName, AcceptsOnlyNamesThatStayInTheirDirectory) {
  const struct {
    std::string name;
    bool plain;
  } cases[] = {
      {"QUILLMK.EXE", true}, {"a", true},          {"long name.with.dots", true}, {"été.txt", true},
      {"...", false},        {"", false},          {".", false},                  {"..", false},
      {"..\\x", false},      {"a/b", false},       {"C:x", false},                {"a*b", false},
      {"a?", false},         {"\"q\"", false},     {"<a>", false},                {"a|b", false},
      {"tab\there", false},  {std::string("a\0b", 3), false},
      {"CON", false},        {"nul.txt", false},   {"Com1", false},               {"LPT9.dat", false},
      {"COM10", true},       {"CONSOLE", true},
      {"\xE9t\xE9.txt", false},  // code page 1252: no UTF-8, no name we made
      {"a\xE7\x8E", false},      // a character cut in two
      // Windows drops a last dot or blank: "x." would write "x", "NUL " the null device.
      {"x.", false},         {"NUL ", false},      {"a b", true},                 {" lead", true},
      {"readme ", false},    {"100%.txt", true},
      {"NUL .txt", false},   {"aux.tar.gz", false}, {"COM0", false},              {"lpt0.x", false},
      {"CONIN$", false},     {"conout$.log", false}, {"CON$", true},
      // Superscript digits make ports too (code page 1252 below).
      {"COM\xC2\xB3", false}, {"LPT\xC2\xB2.txt", false}, {"COM\xC2\xB4", true}, {"COM\xC2\xB9\xC2\xB9", true},
      // An 8.3 alias could name another file of the folder.
      {"QUILLM~1.EXE", false}, {"FILE~12", false}, {"~1", false},               {"a~1.b.c", false},
      {"a~b.txt", true},     {"a~.txt", true},      {"x~1y.txt", true},           {"~tmp", true},
      {"a~b~1.txt", false},  // the second "~" makes the alias
      // Over 15 characters a name is still plain: installed whole, recorded cut.
      {"SixteenCharName1", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << '"' << c.name << '"';
  // In code page 932 the second byte of "表" (95 5C) is no backslash.
  std::bitset<256> leads;
  leads[0x95] = true;
  EXPECT_TRUE(IsPlainFileName("\x95\x5C.txt", CodePage::DoubleByte(932, leads)));
  EXPECT_FALSE(IsPlainFileName("\x95\x5C.txt"));
  // Code page 1252 spells the superscript digits in one byte each.
  const CodePage western = CodePage::SingleByte(1252);
  EXPECT_FALSE(IsPlainFileName("COM\xB9", western));
  EXPECT_FALSE(IsPlainFileName("LPT\xB2.txt", western));
  EXPECT_TRUE(IsPlainFileName("COM\xB4", western));
  EXPECT_TRUE(IsPlainFileName("\xE9t\xE9.txt", western));
}

}  // namespace
