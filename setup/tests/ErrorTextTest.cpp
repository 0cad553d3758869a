#include "ErrorText.h"

#include <gtest/gtest.h>

#include "CaseName.h"

namespace {

struct FullStopCase {
  const char* why;
  const char* message;
  const char* shown;
};

class ErrorBoxTextTest : public testing::TestWithParam<FullStopCase> {};

TEST_P(ErrorBoxTextTest, AppendsFullStopOnlyAfterCharactersSortingAboveIt) {
  EXPECT_EQ(ErrorBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ErrorBoxTextTest,
    testing::Values(FullStopCase{"plain text", "PAK file corrupt", "PAK file corrupt."},
                    FullStopCase{"full stop", "Already ends.", "Already ends."},
                    FullStopCase{"exclamation mark", "Disaster!", "Disaster!"},
                    FullStopCase{"digit", "Error 5", "Error 5."},        // digits sort after "."
                    FullStopCase{"slash", "C:/dir/", "C:/dir/."},        // "/" is the next byte after "."
                    FullStopCase{"hyphen", "Cut short -", "Cut short -"},  // "-" sorts just before "."
                    FullStopCase{"closing parenthesis", "(code)", "(code)"},           // ")" sorts before "."
                    FullStopCase{"blank", "trailing space ", "trailing space "},
                    FullStopCase{"empty", "", ""},
                    FullStopCase{"one letter", "x", "x."}),
    NamedByWhy());

TEST(ErrorBoxText, TreatsHighBytesAsSortingAfterFullStop) {
  // A signed comparison would see 0xE9 as negative and leave the full stop off.
  EXPECT_EQ(ErrorBoxText("Caf\xE9"), "Caf\xE9.");
  EXPECT_EQ(ErrorBoxText("\xFF"), "\xFF.");
}

TEST(ShownProgramName, DropsWhatBreaksOrTurnsTheTextAndCutsLongNames) {
  const std::string longName(150, 'w');
  const struct {
    const char* why;
    std::string name;
    std::string shown;
    CodePage page = CodePage::Utf8();
  } cases[] = {
      {"a plain name", "Quillmark", "Quillmark"},
      {"line breaks that would forge a second line", "Word\r\nClick Retry: all is well", "WordClick Retry: all is well"},
      {"tab, escape and DEL", "a\tb\x1B[2Jc\x7F", "ab[2Jc"},
      {"C1 controls in UTF-8", "a\xC2\x85\xC2\x9F" "b", "ab"},
      {"line separator and a right-to-left override", "x\xE2\x80\xA8y\xE2\x80\xAE" "exe.txt", "xyexe.txt"},
      {"direction isolates", "\xE2\x81\xA6" "a\xE2\x81\xA9", "a"},
      {"letters of other scripts stay", "Квиллмарк 王伟", "Квиллмарк 王伟"},
      {"in code page 1252, 0x85 is a letter", "a\x85\x9F\r", "a\x85\x9F", CodePage::SingleByte(1252)},
      {"a long name is cut", longName, std::string(97, 'w') + "..."},
      {"never inside a character", std::string(96, 'w') + "王伟", std::string(96, 'w') + "..."},
      {"nothing left", "\r\n", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownProgramName(c.name, c.page), c.shown) << c.why;
}

}  // namespace
