#include <gtest/gtest.h>

#include "ByteFile.h"
#include "PackageBytes.h"
#include "PackageDigests.h"

namespace {

const std::string AbcDigest = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(PackageDigests, ParsesWhatItWritesAndFindsNamesInAnyCase) {
  const std::string text = AbcDigest + " 3 Quillmk.pak\n" + AbcDigest + " 0 My Editor.pak\n";
  const std::optional<PackageDigests> table = PackageDigests::Parse(text);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->Text(), text);
  ASSERT_TRUE(table->Find("QUILLMK.PAK"));
  EXPECT_EQ(table->Find("quillmk.pak")->Size, 3);
  EXPECT_EQ(table->Find("My Editor.pak")->Size, 0);
  EXPECT_FALSE(table->Find("Delphi30.pak"));
  EXPECT_TRUE(PackageDigests::Parse(""));  // a distribution of no package pins nothing
}

// A table Setup cannot read whole pins nothing rather than something wrong.
TEST(PackageDigests, RefusesAnyOtherText) {
  const std::string rows[] = {
      AbcDigest + " 3 Quillmk.pak",                                  // the last line cut short
      AbcDigest.substr(1) + " 3 Quillmk.pak\n",                       // 63 digits
      "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD 3 Quillmk.pak\n",  // upper case
      AbcDigest + " -3 Quillmk.pak\n",                               // a negative size
      AbcDigest + " 03 Quillmk.pak\n",                               // a size with a leading zero
      AbcDigest + " 3x Quillmk.pak\n",                               // a size that is no number
      AbcDigest + " 3 \n",                                           // no name
      AbcDigest + " 3 Quillmk.pak\r\n",                              // a CR in the name
      AbcDigest + " 3 Quillmk.pak\n" + AbcDigest + " 3 QUILLMK.PAK\n",  // one package twice
      AbcDigest + "  3 Quillmk.pak\n",                               // two blanks
  };
  for (const std::string& row : rows) EXPECT_FALSE(PackageDigests::Parse(row)) << row;
}

// The size and digest are read through the handle every later reading uses, which is left at
// the file's start.
TEST(PackageDigests, MatchesOnlyTheVeryBytesPinned) {
  ScratchDir dir;
  WriteBytes(dir.Path("Quillmk.pak"), {'a', 'b', 'c'});
  ByteFile file;
  file.Open(dir.Path("Quillmk.pak"), ByteFile::Mode::Read);
  const PackageDigest pinned = DigestOfFile(file, "Quillmk.pak");
  EXPECT_EQ(pinned.Size, 3);
  EXPECT_EQ(DigestText(pinned.Digest), AbcDigest);
  EXPECT_TRUE(MatchesDigest(file, pinned));
  EXPECT_EQ(file.Position(), 0);

  PackageDigest otherSize = pinned, otherBytes = pinned;
  otherSize.Size = 4;
  otherBytes.Digest[31] ^= 1;
  EXPECT_FALSE(MatchesDigest(file, otherSize));
  EXPECT_FALSE(MatchesDigest(file, otherBytes));
}

}  // namespace
