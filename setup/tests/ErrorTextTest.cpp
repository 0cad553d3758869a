#include "ErrorText.h"

#include <gtest/gtest.h>

namespace {

struct FullStopCase {
  const char* message;
  const char* shown;
};

class ErrorBoxTextTest : public testing::TestWithParam<FullStopCase> {};

TEST_P(ErrorBoxTextTest, AppendsFullStopOnlyAfterCharactersSortingAboveIt) {
  EXPECT_EQ(ErrorBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ErrorBoxTextTest,
    testing::Values(FullStopCase{"PAK file corrupt", "PAK file corrupt."},
                    FullStopCase{"Already ends.", "Already ends."},
                    FullStopCase{"Disaster!", "Disaster!"},
                    FullStopCase{"Error 5", "Error 5."},        // digits sort after "."
                    FullStopCase{"C:/dir/", "C:/dir/."},        // "/" is the next byte after "."
                    FullStopCase{"Cut short -", "Cut short -"},  // "-" sorts just before "."
                    FullStopCase{"(code)", "(code)"},           // ")" sorts before "."
                    FullStopCase{"trailing space ", "trailing space "},
                    FullStopCase{"", ""},
                    FullStopCase{"x", "x."}));

TEST(ErrorBoxText, TreatsHighBytesAsSortingAfterFullStop) {
  // A signed comparison would see 0xE9 as negative and leave the full stop off.
  EXPECT_EQ(ErrorBoxText("Caf\xE9"), "Caf\xE9.");
  EXPECT_EQ(ErrorBoxText("\xFF"), "\xFF.");
}

}  // namespace
