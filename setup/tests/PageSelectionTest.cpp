#include "PageSelection.h"
#include "RecordKeeping.h"
#include "WindowKeys.h"
#include "ControlIds.h"

#include <gtest/gtest.h>

namespace {

using P = OfferedPage;

struct Case {
  const char* name;
  bool packageFound;
  const char* installed;
  const char* package;
  std::vector<OfferedPage> shown;
  OfferedPage current;
  bool labels;
  char startupCase;
};

TEST(SelectPages, CasesAToE) {
  const Case cases[] = {
      {"A", true, "None", "2.0", {P::Welcome, P::Delphi, P::Install}, P::Welcome, false, 'A'},
      {"A with empty package version", true, "None", "", {P::Welcome, P::Delphi, P::Install},
       P::Welcome, false, 'A'},
      {"B newer", true, "1.0", "2.0", {P::Delphi, P::Update, P::Uninstall}, P::Update, true, 'B'},
      {"B older", true, "2.0", "1.0", {P::Delphi, P::Update, P::Uninstall}, P::Update, true, 'B'},
      {"B differs in case only", true, "v2", "V2", {P::Delphi, P::Update, P::Uninstall}, P::Update,
       true, 'B'},
      {"C equal", true, "2.0", "2.0", {P::Uninstall}, P::Uninstall, true, 'C'},
      {"C empty package version", true, "2.0", "", {P::Uninstall}, P::Uninstall, true, 'C'},
      {"D", false, "2.0", "", {P::Uninstall}, P::Uninstall, true, 'D'},
      {"E", false, "None", "", {P::Nothing}, P::Nothing, false, 'E'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PageSelection selection = SelectPages(c.packageFound, c.installed, c.package);
    for (int page = 0; page < OfferedPageCount; ++page) {
      const bool expected = std::find(c.shown.begin(), c.shown.end(), static_cast<P>(page)) !=
                            c.shown.end();
      EXPECT_EQ(selection.IsShown(static_cast<P>(page)), expected) << "page " << page;
    }
    EXPECT_EQ(selection.Current, c.current);
    EXPECT_EQ(selection.SetsUpdateLabels, c.labels);
    EXPECT_EQ(CaseLetter(selection.Case), c.startupCase);
  }
}

// One start-up of each case A to E, as the window and an unattended run see it.
struct Startup {
  char letter;
  bool packageFound;
  const char* installed;
  const char* package;
};
constexpr Startup EachCase[] = {
    {'A', true, "None", "2.0"}, {'B', true, "1.0", "2.0"}, {'C', true, "2.0", "2.0"},
    {'D', false, "2.0", ""},    {'E', false, "None", ""},
};

TEST(CommandFor, EachCaseWithAndWithoutUninstall) {
  using C = SetupCommand;
  const C plain[] = {C::Install, C::Update, C::None, C::None, C::None};
  const C uninstall[] = {C::None, C::Uninstall, C::Uninstall, C::Uninstall, C::None};
  for (int i = 0; i < 5; ++i) {
    const Startup& s = EachCase[i];
    const PageSelection pages = SelectPages(s.packageFound, s.installed, s.package);
    EXPECT_EQ(CommandFor(pages, false), plain[i]) << s.letter;
    EXPECT_EQ(CommandFor(pages, true), uninstall[i]) << s.letter;
  }
}

// The window offers exactly the command an unattended run picks: it opens on that command's
// page, or (a fresh installation) on Welcome with the Install page beside it; and where the
// unattended run has nothing to do, the window offers no page of the asked-for command.
TEST(CommandFor, TheWindowOffersTheSameCommand) {
  for (const Startup& s : EachCase) {
    for (bool uninstallAsked : {false, true}) {
      SCOPED_TRACE(std::string(1, s.letter) + (uninstallAsked ? " /UNINSTALL" : ""));
      const PageSelection pages = SelectPages(s.packageFound, s.installed, s.package);
      const SetupCommand command = CommandFor(pages, uninstallAsked);
      const OfferedPage opening = OpeningPage(pages, uninstallAsked);
      if (command == SetupCommand::None && uninstallAsked) {
        EXPECT_FALSE(pages.IsShown(P::Uninstall));
      } else if (command == SetupCommand::None) {
        EXPECT_FALSE(pages.IsShown(P::Install) || pages.IsShown(P::Update));
      } else if (opening == P::Welcome) {
        EXPECT_EQ(command, SetupCommand::Install);
        EXPECT_TRUE(pages.IsShown(P::Install));
      } else {
        EXPECT_EQ(CommandOfPage(opening), command);
      }
    }
  }
}

// What a finished Install or Update records, and the case the next start then finds: a failed
// extraction of the application package offers the same command again, never case C.
TEST(VersionToRecord, AFailedExtractionIsOfferedAgain) {
  struct Row {
    const char* why;
    bool extracted;
    const char* installed;  // before the command
    bool programThere;      // Quillmk.exe in the recorded directory afterwards
    const char* recorded;
    char nextCase;
  };
  const Row rows[] = {
      {"install done", true, "None", true, "2.0", 'C'},
      {"update done", true, "1.0", true, "2.0", 'C'},
      {"update failed: the old version stays recorded", false, "1.0", true, "1.0", 'B'},
      {"update failed before the program was replaced", false, "1.0", false, "1.0", 'A'},
      {"install failed, program written", false, "None", true, "", 'B'},
      {"install failed, program missing", false, "None", false, "", 'A'},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.why);
    const std::string recorded = VersionToRecord(r.extracted, "2.0", r.installed);
    EXPECT_EQ(recorded, r.recorded);
    // As start-up reads it back: a record without the program counts as no installation.
    const PageSelection next = SelectPages(true, r.programThere ? recorded : NoInstalledVersion, "2.0");
    EXPECT_EQ(CaseLetter(next.Case), r.nextCase);
  }
}

}  // namespace

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
