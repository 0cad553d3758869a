#include "SearchPath.h"

#include <gtest/gtest.h>

namespace {

TEST(Delphi1LibraryDir, FindsTheElementEndingInLib) {
  struct Case {
    const char* searchPath;
    const char* expected;  // nullptr: not detected
  };
  const Case cases[] = {
      {"C:\\DELPHI\\LIB;C:\\X", "C:\\DELPHI\\LIB"},
      {"C:\\X;c:\\delphi\\lib", "c:\\delphi\\lib"},  // letter case as written
      {"C:\\DELPHI\\LIB\\SUB", nullptr},
      {"C:\\LIBRARY;C:\\DELPHI\\LIB", nullptr},  // the first \LIB is not at the end
      {"", nullptr},
      {"C:\\DELPHI\\LIB", "C:\\DELPHI\\LIB"},
      {"C:\\A;D:\\Delphi\\Lib;E:\\B\\LIB", "D:\\Delphi\\Lib"},  // first "\LIB;" wins
      {"C:\\A;C:\\B;D:\\D1\\LiB", "D:\\D1\\LiB"},
      {"\\LIB;C:\\X", "\\LIB"},
      {"C:\\LIBX;C:\\DELPHI\\LIB;", "C:\\DELPHI\\LIB"},
      {"C:\\DELPHI\\LIB ", nullptr},
      {"C:\\DELPHI\\LIB\\", nullptr},
      {"C:\\DELPHI\\LIBS;C:\\X", nullptr},
      {"LIB;C:\\X", nullptr},
  };
  for (const Case& c : cases) {
    const auto found = Delphi1LibraryDir(c.searchPath);
    if (c.expected) {
      ASSERT_TRUE(found.has_value()) << c.searchPath;
      EXPECT_EQ(*found, c.expected) << c.searchPath;
    } else {
      EXPECT_FALSE(found.has_value()) << c.searchPath << " gave " << found.value_or("");
    }
  }
}

}  // namespace
