#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "CommandLine.h"

namespace {
// Buffers exactly as large as the program allocates them, so the sanitizer build catches
// any write past an item.
std::vector<char> RoomFor(const std::string& text) { return std::vector<char>(text.size() + 1, 'x'); }

std::vector<std::string> AllItems(const std::string& line) {
  std::vector<std::string> items;
  std::vector<char> item = RoomFor(line);
  const char* cursor = line.c_str();
  for (;;) {
    cursor = NextCommandLineItem(cursor, item.data());
    if (item[0] == '\0') return items;
    items.emplace_back(item.data());
  }
}

int Count(const std::string& line) {
  std::vector<char> scratch = RoomFor(line);
  return CountArguments(line.c_str(), scratch.data());
}

std::string Argument(const std::string& line, int index) {
  std::vector<char> item = RoomFor(line);
  GetArgument(line.c_str(), index, item.data());
  return item.data();
}

// Code page 932's lead bytes.
bool IsLeadByte932(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

std::string DirectoryPart(const std::string& path, bool codePage932 = false) {
  std::vector<char> directory = RoomFor(path);
  GetDirectoryPart(path.c_str(), directory.data(), codePage932 ? IsLeadByte932 : nullptr);
  return directory.data();
}

struct SplitCase {
  const char* why;
  std::string line;
  std::vector<std::string> items;
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, GivesTheExpectedItems) { EXPECT_EQ(AllItems(GetParam().line), GetParam().items); }

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitTest,
    testing::Values(
        SplitCase{"empty line", "", {}},
        SplitCase{"only separators", " \t\r\n ", {}},
        SplitCase{"runs of blanks and control characters separate", "  a \t\x01 b\n", {"a", "b"}},
        SplitCase{"quoted stretch keeps blanks, quotes dropped", "p \"C:\\Program Files\\x.exe\"",
                  {"p", "C:\\Program Files\\x.exe"}},
        SplitCase{"mixed quoted and unquoted stretches", "p ab\"c d\"e\"f\"", {"p", "abc def"}},
        SplitCase{"leading empty quoted pair is skipped", "p \"\" b", {"p", "b"}},
        SplitCase{"skipping goes on after the pair", "p \"\"  \"\"\t\"x y\"", {"p", "x y"}},
        SplitCase{"empty pair inside an item is just an empty stretch", "p a\"\"b", {"p", "ab"}},
        SplitCase{"unterminated quote runs to the end", "p \"a b  c", {"p", "a b  c"}},
        SplitCase{"quote stretch keeps control characters", "p \"a\tb\"", {"p", "a\tb"}},
        SplitCase{"characters above 127 belong to items", "p \xe9t\xe9", {"p", "\xe9t\xe9"}},
        SplitCase{"three empty quotes leave an open empty stretch", "p \"\"\"", {"p"}}),
    NamedByWhy());

struct CountCase {
  const char* why;
  std::string line;
  int count;
};

class CountTest : public testing::TestWithParam<CountCase> {};

TEST_P(CountTest, CountsArgumentsAfterTheProgram) { EXPECT_EQ(Count(GetParam().line), GetParam().count); }

INSTANTIATE_TEST_SUITE_P(
    Rules, CountTest,
    testing::Values(CountCase{"program alone", "\"C:\\Temp\\Sweeper.exe\"", 0},
                    CountCase{"trailing blanks", "Sweeper.exe   ", 0},
                    CountCase{"empty quoted argument is no item", "Sweeper.exe \"\"", 0},
                    CountCase{"one", "Sweeper.exe C:\\x", 1},
                    CountCase{"Setup's three quoted parts",
                              "\"C:\\T\\Sweeper.exe\" \"C:\\Q\\Setup.exe\" \"It is done.\" \"Done\"", 3},
                    CountCase{"four", "s a b c d", 4},
                    CountCase{"empty pairs between arguments", "s a \"\" b \"\" c", 3}),
    NamedByWhy());

TEST(ArgumentTest, FetchesByNumberAndGivesEmptyBeyondTheEnd) {
  const std::string line = "\"C:\\T\\Sweeper.exe\" \"C:\\My Q\\Setup.exe\" \"It is done.\" \"Done\"";
  EXPECT_EQ(Argument(line, 0), "C:\\T\\Sweeper.exe");
  EXPECT_EQ(Argument(line, 1), "C:\\My Q\\Setup.exe");
  EXPECT_EQ(Argument(line, 2), "It is done.");
  EXPECT_EQ(Argument(line, 3), "Done");
  EXPECT_EQ(Argument(line, 4), "");
  EXPECT_EQ(Argument(line, 9), "");
}

// A long path must arrive whole: cutting it would hand the loop the name of another file.
TEST(ArgumentTest, LongItemsArriveWhole) {
  for (size_t length : {255u, 256u, 257u, 300u, 5000u}) {
    const std::string path = "C:\\" + std::string(length, 'd') + "\\Setup.exe";
    const std::string line = "Sweeper.exe \"" + path + "\" \"" + std::string(length, 'm') + "\" c";
    EXPECT_EQ(Count(line), 3) << length;
    EXPECT_EQ(Argument(line, 1), path) << length;
    EXPECT_EQ(Argument(line, 2), std::string(length, 'm')) << length;
    EXPECT_EQ(Argument(line, 3), "c") << length;
    EXPECT_EQ(DirectoryPart(path), path.substr(0, path.size() - 9)) << length;
  }
}

struct DirectoryCase {
  const char* why;
  std::string path;
  std::string directory;
  bool codePage932 = false;
};

class DirectoryPartTest : public testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryPartTest, EndsAtTheLastColonOrBackslash) {
  EXPECT_EQ(DirectoryPart(GetParam().path, GetParam().codePage932), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(Rules, DirectoryPartTest,
                         testing::Values(DirectoryCase{"full path", "C:\\Program Files\\Quillmark\\Setup.exe",
                                                       "C:\\Program Files\\Quillmark\\"},
                                         DirectoryCase{"file in drive root", "C:\\Setup.exe", "C:\\"},
                                         DirectoryCase{"drive relative", "C:Setup.exe", "C:"},
                                         DirectoryCase{"bare name", "Setup.exe", ""},
                                         DirectoryCase{"empty", "", ""},
                                         DirectoryCase{"colon after backslash", "a\\b:c", "a\\b:"},
                                         DirectoryCase{"backslash after colon", "a:b\\c", "a:b\\"},
                                         DirectoryCase{"UNC path", "\\\\server\\share\\x", "\\\\server\\share\\"},
                                         DirectoryCase{"ends in backslash", "C:\\dir\\", "C:\\dir\\"},
                                         DirectoryCase{"forward slashes", "dir/with/slashes", ""},
                                         // "表" is 0x95 0x5C in code page 932: no separator there.
                                         DirectoryCase{"double-byte name", "C:\\\x95\\x\\\x95\\", "C:\\\x95\\x\\", true},
                                         DirectoryCase{"lead byte at the end", "C:\\a\x95", "C:\\", true}),
                         NamedByWhy());
}  // namespace
