#include <gtest/gtest.h>

#include "ByteFile.h"
#include "CodePage.h"

namespace {

// A new directory is made inside the folder this names, held by handle: a cut inside a
// character would hold another folder, or none.
TEST(ByteFile, FolderOfAPathEndsAtItsLastBackslashCharacter) {
  std::bitset<256> leads;
  for (unsigned byte = 0x81; byte <= 0xFC; ++byte) leads[byte] = byte <= 0x9F || byte >= 0xE0;
  const CodePage shiftJis = CodePage::DoubleByte(932, leads);
  const struct {
    const char* path;
    const char* folder;
    bool shiftJis;
  } rows[] = {
      {"C:\\Quillmark\\Help", "C:\\Quillmark\\", false},
      {"C:\\Quillmark\\", "C:\\Quillmark\\", false},
      {"C:\\", "C:\\", false},
      {"Quillmark", "", false},
      {"\\\\server\\share\\Qm", "\\\\server\\share\\", false},
      {"C:\\\xE4\xB8\x80\xE8\xA6\xA7\xE8\xA1\xA8\\Quillmark", "C:\\\xE4\xB8\x80\xE8\xA6\xA7\xE8\xA1\xA8\\", false},
      // C:\一覧表\Quillmark in code page 932: "表" is 95 5C.
      {"C:\\\x88\xEA\x97\x97\x95\x5C\\Quillmark", "C:\\\x88\xEA\x97\x97\x95\x5C\\", true},
      {"C:\\\x88\xEA\x97\x97\x95\x5C", "C:\\", true},
  };
  for (const auto& row : rows)
    EXPECT_EQ(FileSystem::FolderOf(row.path, row.shiftJis ? shiftJis : CodePage::Utf8()), row.folder) << row.path;
}

}  // namespace
