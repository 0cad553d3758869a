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
    EXPECT_EQ(StartupCase(selection, c.packageFound), c.startupCase);
  }
}

}  // namespace
