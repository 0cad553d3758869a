#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "RecordSlots.h"
#include "UninstallPlan.h"

namespace {
using Paths = std::vector<std::string>;

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
}  // namespace
