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

}  // namespace
