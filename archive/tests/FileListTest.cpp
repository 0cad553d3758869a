#include <gtest/gtest.h>

#include "FileList.h"

namespace {

TEST(FileList, SlotsHoldUpperCasedNamesCutTo15AndZeroPadded) {
  const struct {
    std::string name, listed;
  } cases[] = {
      {"quillmk.exe", "QUILLMK.EXE"},
      {"AbcdefghijklmnopQRST.txt", "ABCDEFGHIJKLMNO"},
      {"exactly15chars_", "EXACTLY15CHARS_"},
      {"\xE9t\xE9-1.txt", "\xE9T\xE9-1.TXT"},  // only ASCII letters change
      {"a王伟的程序.txt", "A王伟的程"},          // cut at the last whole character: 13 bytes
      {"", ""},
  };
  for (const auto& c : cases) {
    FileList list(2);
    list.SetName(1, "previous-long-name");
    list.SetName(1, c.name);
    EXPECT_EQ(list.Name(1), c.listed);
    const uint8_t* slot = list.Bytes().data() + 16;
    EXPECT_EQ(slot[0], c.listed.size());
    for (size_t i = 1 + c.listed.size(); i < 16; ++i) EXPECT_EQ(slot[i], 0) << c.name << " byte " << i;
    EXPECT_EQ(list.Name(0), "");
  }
}

TEST(FileList, SizeFollowsTheEntryCount) {
  for (const auto& c : {std::make_pair(0, 0), std::make_pair(-3, 0), std::make_pair(3, 48)}) {
    const FileList list(c.first);
    EXPECT_EQ(list.ByteSize(), c.second);
    EXPECT_EQ(list.Count(), c.second / 16);
    for (uint8_t byte : list.Bytes()) EXPECT_EQ(byte, 0);
  }
}

TEST(FileList, FromBytesKeepsOnlyWholeSlots) {
  FileList written(2);
  written.SetName(0, "a.txt");
  written.SetName(1, "b.txt");
  const std::vector<uint8_t>& bytes = written.Bytes();
  for (size_t size : {size_t(0), size_t(15), size_t(16), size_t(31), size_t(32)}) {
    const FileList read = FileList::FromBytes(bytes.data(), size);
    EXPECT_EQ(read.Count(), static_cast<int32_t>(size / 16));
    if (read.Count() > 0) {
      EXPECT_EQ(read.Name(0), "A.TXT");
    }
  }
}

TEST(FileList, ALengthByteBeyond15NeverReadsIntoTheNextSlot) {
  std::vector<uint8_t> bytes(32, 'X');
  bytes[0] = 200;
  const FileList list = FileList::FromBytes(bytes.data(), bytes.size());
  EXPECT_EQ(list.Name(0), std::string(15, 'X'));
}

}  // namespace
