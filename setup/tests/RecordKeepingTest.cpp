#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CaseName.h"
#include "PageSelection.h"
#include "RecordKeeping.h"
#include "RecordSlots.h"

namespace {
using Paths = std::vector<std::string>;
using Names = std::vector<std::string>;

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

Names NamesIn(const FileList& list) {
  Names names;
  for (int32_t slot = 0; slot < list.Count(); ++slot) names.push_back(list.Name(slot));
  return names;
}

// An update deletes the old files the new package no longer carries; those it cannot delete
// join the new list, so that Uninstall still finds them.
struct UpdateCase {
  const char* why;
  Names oldList, newList, undeletable;
  Names deleted, recorded;
};

class UpdateListsTest : public testing::TestWithParam<UpdateCase> {};

TEST_P(UpdateListsTest, DeletesDroppedNamesAndKeepsTheUndeletable) {
  const UpdateCase& c = GetParam();
  const Names dropped = DroppedNames(List(c.oldList), List(c.newList));
  EXPECT_EQ(dropped, c.deleted);
  Names kept;
  for (const std::string& name : dropped)
    if (std::find(c.undeletable.begin(), c.undeletable.end(), name) != c.undeletable.end()) kept.push_back(name);
  EXPECT_EQ(NamesIn(WithNamesKept(List(c.newList), kept)), c.recorded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateListsTest,
    testing::Values(
        UpdateCase{"same names: nothing goes", {"A.EXE", "B.HLP"}, {"B.HLP", "A.EXE"}, {}, {}, {"B.HLP", "A.EXE"}},
        UpdateCase{"two dropped", {"A.EXE", "OLD.DLL", "B.HLP", "GONE.TXT"}, {"A.EXE", "B.HLP", "NEW.INI"}, {},
                   {"OLD.DLL", "GONE.TXT"}, {"A.EXE", "B.HLP", "NEW.INI"}},
        UpdateCase{"one cannot be deleted: kept at the end", {"A.EXE", "OLD.DLL", "GONE.TXT"}, {"A.EXE"}, {"OLD.DLL"},
                   {"OLD.DLL", "GONE.TXT"}, {"A.EXE", "OLD.DLL"}},
        UpdateCase{"letter case differs: still carried", {"Readme.txt"}, {"README.TXT"}, {}, {}, {"README.TXT"}},
        UpdateCase{"empty slots and forged names are never deleted", {"", "..", "C:X", "A\\B", "OLD.DLL"}, {}, {},
                   {"OLD.DLL"}, {}},
        UpdateCase{"a name twice in the old list goes once", {"OLD.DLL", "OLD.DLL"}, {"A.EXE"}, {"OLD.DLL"},
                   {"OLD.DLL"}, {"A.EXE", "OLD.DLL"}},
        UpdateCase{"failed extraction left empty slots: nothing forgotten", {"A.EXE", "B.HLP"}, {"A.EXE", ""},
                   {"B.HLP"}, {"B.HLP"}, {"A.EXE", "", "B.HLP"}},
        UpdateCase{"no old list", {}, {"A.EXE"}, {}, {}, {"A.EXE"}}),
    NamedByWhy());

// Uninstall keeps in the record the names whose files are still there.
struct LeftCase {
  const char* why;
  Names list;
  std::string directory;
  Paths remaining;  // the files still there after the deletions
  Names kept;
};

class NamesLeftTest : public testing::TestWithParam<LeftCase> {};

TEST_P(NamesLeftTest, KeepsTheNamesOfFilesStillThere) {
  const LeftCase& c = GetParam();
  const auto remains = [&](const std::string& path) {
    return std::find(c.remaining.begin(), c.remaining.end(), path) != c.remaining.end();
  };
  const FileList left = NamesLeft(List(c.list), c.directory, remains);
  EXPECT_EQ(NamesIn(left), c.kept);
  EXPECT_EQ(HoldsNames(left), !c.kept.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NamesLeftTest,
    testing::Values(
        LeftCase{"all deleted: nothing kept", {"A.EXE", "B.HLP"}, "C:\\Q", {}, {}},
        LeftCase{"one in use stays", {"A.EXE", "B.HLP", "C.INI"}, "C:\\Q\\", {"C:\\Q\\B.HLP"}, {"B.HLP"}},
        LeftCase{"another directory's file is no concern", {"A.EXE"}, "C:\\Q", {"C:\\R\\A.EXE"}, {}},
        LeftCase{"a forged name is never kept", {"..", "A.EXE"}, "C:\\Q", {"C:\\Q\\..", "C:\\Q\\A.EXE"},
                 {"A.EXE"}},
        LeftCase{"no full path: nothing was deleted, nothing kept", {"A.EXE"}, "Q", {"Q\\A.EXE"}, {}},
        LeftCase{"empty slots are dropped", {"", "A.EXE"}, "C:\\Q", {"C:\\Q\\A.EXE"}, {"A.EXE"}}),
    NamedByWhy());
}  // namespace
