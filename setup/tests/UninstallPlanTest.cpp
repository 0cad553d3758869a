#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "RecordKeeping.h"
#include "UninstallPlan.h"

namespace {
using Paths = std::vector<std::string>;
using Names = std::vector<std::string>;

// Raw record bytes as the record holds them: one 16-byte slot per name.
std::vector<uint8_t> Slots(const std::vector<std::string>& names) {
  std::vector<uint8_t> bytes;
  for (const std::string& name : names) {
    std::vector<uint8_t> slot(16, 0);
    slot[0] = static_cast<uint8_t>(name.size());
    std::copy(name.begin(), name.end(), slot.begin() + 1);
    bytes.insert(bytes.end(), slot.begin(), slot.end());
  }
  return bytes;
}

FileList List(const std::vector<std::string>& names) {
  const std::vector<uint8_t> bytes = Slots(names);
  return ListFromRecord(bytes, static_cast<int64_t>(bytes.size()));
}

struct SizeCase {
  const char* why;
  size_t bytesRead;
  int64_t recordedSize;
  int32_t entries;
};

class ListFromRecordTest : public testing::TestWithParam<SizeCase> {};

TEST_P(ListFromRecordTest, TakesOnlyWholeSlotsThatWereRead) {
  std::vector<uint8_t> bytes = Slots({"A.EXE", "B.HLP", "C.DLL"});
  bytes.resize(GetParam().bytesRead);
  const FileList list = ListFromRecord(bytes, GetParam().recordedSize);
  EXPECT_EQ(list.Count(), GetParam().entries);
  if (list.Count() > 0) {
    EXPECT_EQ(list.Name(0), "A.EXE");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ListFromRecordTest,
    testing::Values(SizeCase{"size 0: no list", 48, 0, 0}, SizeCase{"size 15: no entry", 48, 15, 0},
                    SizeCase{"size 16: one entry", 48, 16, 1}, SizeCase{"size 40: two entries", 48, 40, 2},
                    SizeCase{"missing value: nothing read", 0, 48, 0},
                    SizeCase{"short value: only what was read", 20, 48, 1},
                    SizeCase{"longer value than recorded: the size rules", 48, 32, 2},
                    SizeCase{"negative size", 48, -16, 0}),
    NamedByWhy());

TEST(FilesToDeleteTest, HelpFileTakesItsIndexOnlyInTheApplicationDirectory) {
  const FileList list = List({"QUILLMK.EXE", "QUILLMK.HLP", "README.TXT", "OLD.HLP.BAK", "X.hLp"});
  EXPECT_EQ(FilesToDelete(list, "C:\\Q", HelpIndexRule::DeleteAlongside),
            (Paths{"C:\\Q\\QUILLMK.EXE", "C:\\Q\\QUILLMK.HLP", "C:\\Q\\QUILLMK.gid", "C:\\Q\\README.TXT",
                   "C:\\Q\\OLD.HLP.BAK", "C:\\Q\\X.hLp", "C:\\Q\\X.gid"}));
  EXPECT_EQ(FilesToDelete(list, "D:\\Lib\\", HelpIndexRule::Keep),
            (Paths{"D:\\Lib\\QUILLMK.EXE", "D:\\Lib\\QUILLMK.HLP", "D:\\Lib\\README.TXT",
                   "D:\\Lib\\OLD.HLP.BAK", "D:\\Lib\\X.hLp"}));
}

// A forged or corrupt record must never reach outside the directory.
TEST(FilesToDeleteTest, SkipsNamesThatAreNotPlainFileNames) {
  const FileList list = List({"..\\BOOT.INI", "C:BOOT.INI", "SUB\\A.DLL", "..", ".", "", "A/B", "*.*",
                              "CON", "GOOD.DLL"});
  EXPECT_EQ(FilesToDelete(list, "C:\\Q\\", HelpIndexRule::DeleteAlongside), (Paths{"C:\\Q\\GOOD.DLL"}));
}

TEST(FilesToDeleteTest, EmptyListOrDirectoryThatIsNoFullPathDeletesNothing) {
  EXPECT_TRUE(FilesToDelete(FileList(), "C:\\Q", HelpIndexRule::DeleteAlongside).empty());
  const FileList list = List({"A.DLL"});
  for (const char* directory : {"", "\\", "Q", "\\Q", "C:Q", ":", "\\\\server", "\\\\server\\", "\\\\\\share",
                                "\\\\C:\\Windows", "\\\\.\\pipe\\x", "\\\\?\\C:\\Q"})
    EXPECT_TRUE(FilesToDelete(list, directory, HelpIndexRule::Keep).empty()) << directory;
  EXPECT_EQ(FilesToDelete(list, "\\\\server\\share", HelpIndexRule::Keep), (Paths{"\\\\server\\share\\A.DLL"}));
}

struct SweeperCase {
  const char* why;
  bool needSweeper;
  std::string programDirectory;
  std::string installDir;
  bool expected;
};

class SweeperNeededTest : public testing::TestWithParam<SweeperCase> {};

TEST_P(SweeperNeededTest, OnlyForTheRunningCopyInTheInstallation) {
  const SweeperCase& c = GetParam();
  EXPECT_EQ(SweeperNeeded(c.needSweeper, c.programDirectory, c.installDir), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SweeperNeededTest,
    testing::Values(
        SweeperCase{"runs from the installation", true, "C:\\Program Files\\Quillmark\\",
                    "C:\\Program Files\\Quillmark\\", true},
        SweeperCase{"directory text without backslash", true, "C:\\Q\\", "C:\\Q", true},
        SweeperCase{"letter case differs", true, "c:\\program files\\QUILLMARK\\",
                    "C:\\Program Files\\Quillmark", true},
        SweeperCase{"copy was deleted", false, "C:\\Q\\", "C:\\Q\\", false},
        SweeperCase{"runs from the distribution, copy missing", true, "D:\\Dist\\", "C:\\Q\\", false},
        SweeperCase{"runs from a subdirectory", true, "C:\\Q\\Sub\\", "C:\\Q\\", false},
        SweeperCase{"runs from the parent", true, "C:\\", "C:\\Q\\", false},
        SweeperCase{"directory is a prefix of another", true, "C:\\Quill\\", "C:\\Q", false},
        SweeperCase{"empty installation directory", true, "C:\\Q\\", "", false}),
    NamedByWhy());
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
