#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "NoFollowPath.h"

namespace {

// A file system of a few levels; every level not listed is missing. Records what was opened.
class FakeLevels : public LevelOpener {
public:
  explicit FakeLevels(std::map<std::string, LevelFacts> levels) : levels_(std::move(levels)) {}
  LevelFacts Open(const std::string& level) override {
    opened.push_back(level);
    const auto found = levels_.find(level);
    return found == levels_.end() ? LevelFacts{} : found->second;
  }
  std::vector<std::string> opened;

private:
  std::map<std::string, LevelFacts> levels_;
};

LevelFacts Dir(const std::string& path) { return {LevelKind::Directory, "\\\\?\\" + path}; }

struct FolderCase {
  const char* why;
  std::string folder;
  FolderCheck expected;
};

class CheckFolderTest : public testing::TestWithParam<FolderCase> {};

TEST_P(CheckFolderTest, RefusesEveryLevelThatLeadsElsewhere) {
  FakeLevels fs({{"C:\\Users", Dir("C:\\Users")},
                 {"C:\\Users\\bob", Dir("C:\\Users\\bob")},
                 {"C:\\Users\\bob\\Desktop", Dir("C:\\Users\\bob\\Desktop")},
                 {"C:\\Users\\bob\\Lower", Dir("C:\\USERS\\Bob\\lower")},
                 {"C:\\Users\\bob\\Junction", {LevelKind::ReparsePoint, "\\\\?\\C:\\Windows"}},
                 {"C:\\Users\\bob\\Moved", Dir("C:\\Windows\\System32")},
                 {"C:\\Users\\bob\\Short~1", Dir("C:\\Users\\bob\\Shortcuts")},
                 {"C:\\Users\\bob\\a.txt", {LevelKind::File, "\\\\?\\C:\\Users\\bob\\a.txt"}},
                 {"\\\\srv\\share\\bob", {LevelKind::Directory, "\\\\?\\UNC\\srv\\share\\bob"}}});
  EXPECT_EQ(CheckFolder(GetParam().folder, fs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, CheckFolderTest,
    testing::Values(FolderCase{"plain folder", "C:\\Users\\bob\\Desktop", FolderCheck::Safe},
                    FolderCase{"trailing backslash", "C:\\Users\\bob\\Desktop\\", FolderCheck::Safe},
                    FolderCase{"letter case as stored differs", "C:\\Users\\bob\\Lower", FolderCheck::Safe},
                    FolderCase{"network share", "\\\\srv\\share\\bob", FolderCheck::Safe},
                    FolderCase{"the folder is a junction", "C:\\Users\\bob\\Junction", FolderCheck::Redirected},
                    FolderCase{"a junction on the way", "C:\\Users\\bob\\Junction\\Desktop", FolderCheck::Redirected},
                    FolderCase{"handle names another place", "C:\\Users\\bob\\Moved", FolderCheck::Redirected},
                    FolderCase{"a short name is not taken on trust", "C:\\Users\\bob\\Short~1", FolderCheck::Redirected},
                    FolderCase{"a file on the way", "C:\\Users\\bob\\a.txt\\x", FolderCheck::Redirected},
                    FolderCase{"relative to the current drive", "\\Users\\bob\\Desktop", FolderCheck::Redirected},
                    FolderCase{"relative to the current folder", "Desktop", FolderCheck::Redirected},
                    FolderCase{"empty value", "", FolderCheck::Redirected},
                    FolderCase{"a level does not exist", "C:\\Users\\bob\\Gone\\Desktop", FolderCheck::Missing}));

TEST(CheckFolderTest, StopsAtTheFirstLevelItRefuses) {
  FakeLevels fs({{"C:\\J", {LevelKind::ReparsePoint, "\\\\?\\C:\\Windows"}}});
  EXPECT_EQ(CheckFolder("C:\\J\\a\\b", fs), FolderCheck::Redirected);
  EXPECT_EQ(fs.opened, std::vector<std::string>{"C:\\J"});
}

TEST(HelperFolderNameTest, RecognisesOnlyItsOwnNames) {
  uint8_t random[16];
  for (int i = 0; i < 16; ++i) random[i] = static_cast<uint8_t>(i * 17 + 3);
  const std::string name = HelperFolderName(random);
  EXPECT_EQ(name, "QmSweeper-031425364758697a8b9cadbecfe0f102");
  EXPECT_TRUE(IsHelperFolderName(name));
  for (const std::string& other : std::vector<std::string>{"QmSweeper-", name + "0", name.substr(0, name.size() - 1),
                                   "QmSweeper-031425364758697a8b9cadbecfe0f10g", "qmsweeper-031425364758697a8b9cadbecfe0f102",
                                   "QmSweeper-031425364758697A8B9CADBECFE0F102", "Windows"})
    EXPECT_FALSE(IsHelperFolderName(other)) << other;
}

}  // namespace
