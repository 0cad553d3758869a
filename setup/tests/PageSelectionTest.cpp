#include "PageSelection.h"

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

TEST(SelectPages, OffersThePagesOfEachStartupCase) {
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

TEST(CommandFor, PicksTheCommandOfEachCaseWithAndWithoutUninstall) {
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

}  // namespace
