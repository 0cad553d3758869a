#include <gtest/gtest.h>

#include "ByteFile.h"
#include "Package.h"
#include "PackageBytes.h"

namespace {

// Two entries (sizes 100 and 23) after the given header; the streams are never looked at.
std::vector<uint8_t> TwoEntryPackage(const std::string& name, const std::string& version,
                                     uint8_t reserved0 = 0, uint8_t reserved1 = 0) {
  PackageBytes pak;
  pak.Header(name, version, false, reserved0, reserved1).Int32(2);
  pak.ShortText("A.TXT").EntryFields(0, 100, 0, 0, 0, 0);
  pak.ShortText("B.DLL").EntryFields(0, 23, 0, 0, 0, 0);
  return pak.bytes;
}

struct AppHeaderRead {
  AppPackageHeader Header;
  PackageInfo Info;
};

AppHeaderRead ReadAppHeader(const std::vector<uint8_t>& bytes) {
  ScratchDir dir;
  WriteBytes(dir.Path("Quillmk.pak"), bytes);
  ByteFile file;
  file.Open(dir.Path("Quillmk.pak"), ByteFile::Mode::Read);
  AppHeaderRead read;
  read.Header = ReadAppPackageHeader(file);
  if (read.Header.ProductIsQuillmark) ScanPackageTable(file, read.Info);
  return read;
}

TEST(AppPackageHeader, ProductNameIsCheckedAfterDroppingTheLineEnd) {
  const struct {
    std::string name;
    bool accepted;
  } cases[] = {
      {"Quillmark", true},
      {"Quillmark\r\n", true},
      {"Quillmark\n", false},  // two bytes dropped: "Quillmar"
      {"QUILLMARK", false},
      {"Quillmark ", false},
      {"", false},
      {"\n", false},
      {"Quillmark\r\n" + std::string(22, ' '), false},
      {"Quillmark" + std::string(40, '\n'), false},  // longer than the 32-byte buffer
  };
  for (const auto& c : cases) {
    const AppHeaderRead read = ReadAppHeader(TwoEntryPackage(c.name, "1.0"));
    EXPECT_EQ(read.Header.ProductIsQuillmark, c.accepted) << '"' << c.name << '"';
    EXPECT_EQ(read.Info.TotalSize, c.accepted ? 123 : 0) << '"' << c.name << '"';
  }
}

TEST(AppPackageHeader, VersionIsKeptWithItsLineEndAndCutTo32) {
  const struct {
    std::string version, expected;
  } cases[] = {
      {"2.1\r\n", "2.1\r\n"},
      {"", ""},
      {std::string(32, 'v'), std::string(32, 'v')},
      {std::string(33, 'v') + "tail", std::string(32, 'v')},
  };
  for (const auto& c : cases) {
    const AppHeaderRead read = ReadAppHeader(TwoEntryPackage("Quillmark\r\n", c.version));
    EXPECT_EQ(read.Header.VersionText, c.expected);
    // The table after an over-long text is still found.
    EXPECT_EQ(read.Info.TablePos, static_cast<int32_t>(7 + 4 + 11 + 4 + c.version.size() + 1));
    EXPECT_EQ(read.Info.TotalSize, 123);
  }
}

TEST(AppPackageHeader, WrongSignatureIsReportedAsCorrupt) {
  for (const std::string start : {"PWPAk", "XWPAK", "PWP"}) {
    PackageBytes pak;
    pak.Raw(start);
    if (start.size() == 5) pak.Byte(0).Byte(0).LongText("Quillmark").LongText("1").Byte(0).Int32(0);
    try {
      ReadAppHeader(pak.bytes);
      ADD_FAILURE() << start;
    } catch (const EPackageError& error) {
      EXPECT_STREQ(error.what(), "PAK file corrupt");
    }
  }
}

TEST(ScanPackage, ReservedBytesAreIgnored) {
  for (const auto& reserved : {std::make_pair(0, 0), std::make_pair(0xFF, 0xFF), std::make_pair(int('x'), 1)}) {
    ScratchDir dir;
    WriteBytes(dir.Path("Delphi30.pak"), TwoEntryPackage("any", "", static_cast<uint8_t>(reserved.first),
                                                          static_cast<uint8_t>(reserved.second)));
    PackageInfo info;
    ASSERT_TRUE(ScanPackageFile(dir.Path("Delphi30.pak"), info));
    EXPECT_EQ(info.TotalSize, 123);
    EXPECT_EQ(info.TablePos, 7 + 4 + 3 + 4 + 1);
  }
}

TEST(ScanPackage, AddsToTheTotalAndTreatsNegativeCountsAsEmpty) {
  const struct {
    int32_t entryCount;
    int32_t expectedTotal;
  } cases[] = {{0, 5}, {-1, 5}, {INT32_MIN, 5}, {1, 5 + 100}};
  for (const auto& c : cases) {
    ScratchDir dir;
    PackageBytes pak;
    pak.Header("x", "y", false).Int32(static_cast<uint32_t>(c.entryCount));
    pak.ShortText("A.TXT").EntryFields(0, 100, 0, 0, 0, 0);
    WriteBytes(dir.Path("p.pak"), pak.bytes);
    PackageInfo info;
    info.TotalSize = 5;
    EXPECT_TRUE(ScanPackageFile(dir.Path("p.pak"), info)) << c.entryCount;
    EXPECT_EQ(info.TotalSize, c.expectedTotal) << c.entryCount;
  }
}

TEST(ScanPackage, EmptyExtraTextsScanLikeNone) {
  PackageBytes without, emptyExtras, extras;
  without.Header("x", "y", false).Int32(2);
  emptyExtras.Header("x", "y", true).Int32(2);
  extras.Header("x", "y", true).Int32(2);
  for (const auto& [name, size] : {std::pair<const char*, int32_t>{"F.TXT", 7}, {"G.TXT", 9}}) {
    without.ShortText(name).EntryFields(0, size, 0, 0, 0, 0);
    emptyExtras.ShortText(name).ShortText("").EntryFields(0, size, 0, 0, 0, 0);
    extras.ShortText(name).ShortText("some extra text").EntryFields(0, size, 0, 0, 0, 0);
  }
  ScratchDir dir;
  PackageInfo results[3];
  const std::vector<uint8_t>* images[] = {&without.bytes, &emptyExtras.bytes, &extras.bytes};
  for (int i = 0; i < 3; ++i) {
    WriteBytes(dir.Path("p.pak"), *images[i]);
    ASSERT_TRUE(ScanPackageFile(dir.Path("p.pak"), results[i]));
    EXPECT_EQ(results[i].TotalSize, 16);
    EXPECT_EQ(results[i].TablePos, results[0].TablePos);
  }
  EXPECT_FALSE(results[0].HasExtraText);
  EXPECT_TRUE(results[1].HasExtraText);
}

TEST(ScanPackage, FailsOnEveryTruncationAndKeepsWhatItFilled) {
  const std::vector<uint8_t> whole = TwoEntryPackage("Quillmark", "1.0");
  const int32_t tablePos = 7 + 4 + 9 + 4 + 3 + 1;
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    ScratchDir dir;
    WriteBytes(dir.Path("p.pak"), std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
    PackageInfo info;
    EXPECT_FALSE(ScanPackageFile(dir.Path("p.pak"), info)) << cut;
    // Past an entry's size the scan has already added it (entries of 6 + 24 bytes).
    const size_t firstSizeEnd = static_cast<size_t>(tablePos) + 4 + 6 + 8;
    EXPECT_EQ(info.TotalSize, (cut >= firstSizeEnd ? 100 : 0) + (cut >= firstSizeEnd + 30 ? 23 : 0)) << cut;
    EXPECT_EQ(info.TablePos, cut > static_cast<size_t>(tablePos) - 1 ? tablePos : 0) << cut;
  }
}

// A member name that is no plain file name, or one that names an earlier member's file in another
// case, makes the package corrupt where a damaged table does: at start-up (the application's
// package) and in the light scan (an option's).
TEST(ScanPackage, AMemberNameThatIsNotPlainOrATwinIsACorruptTable) {
  const struct {
    std::string second, error;
  } cases[] = {
      {"CON.TXT", "PAK file Quillmk.pak is corrupt: member name \"CON.TXT\" is not a plain file name"},
      {"a.txt", "PAK file Quillmk.pak is corrupt: member names \"A.TXT\" and \"a.txt\" name one file"},
  };
  for (const auto& c : cases) {
    PackageBytes pak;
    pak.Header("Quillmark", "1.0", false).Int32(2);
    pak.ShortText("A.TXT").EntryFields(0, 100, 0, 0, 0, 0);
    pak.ShortText(c.second).EntryFields(0, 23, 0, 0, 0, 0);
    ScratchDir dir;
    WriteBytes(dir.Path("Delphi30.pak"), pak.bytes);
    PackageInfo info;
    EXPECT_FALSE(ScanPackageFile(dir.Path("Delphi30.pak"), info)) << c.second;
    try {
      ReadAppHeader(pak.bytes);
      ADD_FAILURE() << "accepted " << c.second;
    } catch (const EPackageError& error) {
      EXPECT_EQ(error.what(), c.error);
    }
  }
}

TEST(ScanPackage, AbsentFileFailsAndLeavesTheInfo) {
  ScratchDir dir;
  PackageInfo info;
  info.TotalSize = 42;
  EXPECT_FALSE(ScanPackageFile(dir.Path("BCB30.pak"), info));
  EXPECT_EQ(info.TotalSize, 42);
  EXPECT_EQ(info.TablePos, 0);
}

TEST(ScanPackage, HugeTextLengthsFailWithoutReading) {
  for (uint32_t length : {0x7FFFFFFFu, 0x80000000u}) {
    ScratchDir dir;
    WriteBytes(dir.Path("p.pak"), PackageBytes().Raw("PWPAK").Byte(0).Byte(0).Int32(length).bytes);
    PackageInfo info;
    EXPECT_FALSE(ScanPackageFile(dir.Path("p.pak"), info));
    ByteFile file;
    file.Open(dir.Path("p.pak"), ByteFile::Mode::Read);
    EXPECT_ANY_THROW(ReadPackageDirectory(file));
  }
}

TEST(PackageDirectory, ReadsEveryField) {
  PackageBytes pak;
  pak.Header("Quillmark\r\n", "3.0", true).Int32(1);
  pak.ShortText("Quillmk.exe").ShortText("extra").EntryFields(0x12345678, 1000, 200, 50, 0xDEADBEEF, 0xCAFEF00D);
  ScratchDir dir;
  WriteBytes(dir.Path("p.pak"), pak.bytes);
  ByteFile file;
  file.Open(dir.Path("p.pak"), ByteFile::Mode::Read);
  const PackageDirectory d = ReadPackageDirectory(file);
  EXPECT_EQ(d.ProductName, "Quillmark\r\n");
  EXPECT_EQ(d.VersionText, "3.0");
  EXPECT_TRUE(d.HasExtraText);
  EXPECT_EQ(d.TablePos, 7 + 4 + 11 + 4 + 3 + 1);
  ASSERT_EQ(d.Members.size(), 1u);
  const PackageMember& m = d.Members[0];
  EXPECT_EQ(m.Name, "Quillmk.exe");
  EXPECT_EQ(m.ExtraText, "extra");
  EXPECT_EQ(m.FileTime, 0x12345678u);
  EXPECT_EQ(m.UnpackedSize, 1000);
  EXPECT_EQ(m.DataOffset, 200);
  EXPECT_EQ(m.PackedSize, 50);
  EXPECT_EQ(m.DataCrc, 0xDEADBEEFu);
  EXPECT_EQ(m.PackedCrc, 0xCAFEF00Du);
}

}  // namespace
