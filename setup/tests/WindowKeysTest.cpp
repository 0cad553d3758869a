#include <gtest/gtest.h>

#include <array>

#include "ControlIds.h"
#include "WindowKeys.h"

namespace {

// What Enter and Escape press on each page, and where Ctrl+Tab goes.
TEST(WindowKeys, DefaultAndEscapeButtonsPerPage) {
  const struct {
    Sheet sheet;
    int enter, escape;
  } rows[] = {
      {Sheet::Welcome, 0, 0},
      {Sheet::Delphi, 0, 0},
      {Sheet::Install, NowBtn2, CancelBtn3},
      {Sheet::Update, UpdateBtn, CancelBtn2},
      {Sheet::Uninstall, UninstallBtn, CancelBtn4},
      {Sheet::Busy, 0, 0},
      {Sheet::Finished, QuitBtn, QuitBtn},
      {Sheet::Nothing, CancelBtn5, CancelBtn5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.sheet));
    EXPECT_EQ(DefaultButtonOf(row.sheet), row.enter);
    EXPECT_EQ(EscapeButtonOf(row.sheet), row.escape);
  }
}

TEST(WindowKeys, CtrlTabMovesRoundTheOfferedPages) {
  using S = Sheet;
  const std::array<bool, SheetCount> caseA = {true, true, true, false, false, false, false, false};
  const std::array<bool, SheetCount> caseB = {false, true, false, true, true, false, false, false};
  const std::array<bool, SheetCount> finished = {false, false, false, false, false, false, true, false};
  const struct {
    const char* name;
    std::array<bool, SheetCount> offered;
    S from;
    bool forward;
    S to;
  } rows[] = {
      {"A forward", caseA, S::Welcome, true, S::Delphi},
      {"A forward round the end", caseA, S::Install, true, S::Welcome},
      {"A backward round the start", caseA, S::Welcome, false, S::Install},
      {"B skips hidden pages", caseB, S::Delphi, true, S::Update},
      {"B backward round the start", caseB, S::Delphi, false, S::Uninstall},
      {"one page only", finished, S::Finished, true, S::Finished},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(NextOfferedSheet(row.offered, row.from, row.forward), row.to);
  }
}

}  // namespace
