#include <gtest/gtest.h>


#include "ByteFile.h"
#include "Extract.h"
#include "PackageBytes.h"
#include "PackageWriter.h"
#include "TestData.h"

namespace {

class Recorder : public ExtractionObserver {
public:
  void StatusChanged(const std::string& text) override { statuses.push_back(text); }
  void BytesWritten(uint32_t count) override { bytes += count; }
  std::vector<std::string> statuses;
  int64_t bytes = 0;
};

std::vector<uint8_t> TextData(size_t size) {
  std::vector<uint8_t> data;
  const std::string line = "Quillmark writes help files; every topic has a context number.\n";
  while (data.size() < size) data.insert(data.end(), line.begin(), line.end());
  data.resize(size);
  return data;
}

const uint32_t Time1 = 0x5A219C00;  // 2025-01-01 19:32:00
const uint32_t Time2 = 0x4E8F6B2D;

std::vector<PackageInput> ThreeMembers() {
  return {{"Readme.txt", TextData(70000), Time1, ""},
          {"Quillmk.exe", RandomData(40000, 7), Time2, ""},
          {"Empty.dat", {}, Time1, ""}};
}

// A package in a source folder and a destination beneath a second folder.
class ExtractTest : public ::testing::Test {
protected:
  void Pack(const std::vector<PackageInput>& members, bool hasExtraText = false) {
    PackageOptions options;
    options.VersionText = "1.0";
    options.HasExtraText = hasExtraText;
    image = BuildPackage(options, members);
    WriteBytes(source.Path(name), image);
  }
  void Extract(const std::string& destDir) {
    WriteBytes(source.Path(name), image);  // tests may have altered it after packing
    // A damaged table fails the scan, but TablePos and HasExtraText are found before it.
    ByteFile package;
    package.Open(source.Path(name), ByteFile::Mode::Read);
    PackageInfo info;
    ScanPackage(package, info);
    PackageExtractor extractor(recorder);
    extractor.ExtractPackage(package, name, DestinationOf(destDir, NativePathStyle()), info, list);
  }
  std::string Dest() const { return target.Path("Program Files/Quillmark"); }
  PackageMember Member(size_t index) {
    ByteFile file;
    file.Open(source.Path(name), ByteFile::Mode::Read);
    return ReadPackageDirectory(file).Members.at(index);
  }
  void PutInt32(size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) image.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
  }

  std::string name = "Delphi30.pak";
  ScratchDir source, target;
  std::vector<uint8_t> image;
  Recorder recorder;
  FileList list;
};

TEST_F(ExtractTest, InstallsEveryMemberWithItsTimeAndReportsProgress) {
  const std::vector<PackageInput> members = ThreeMembers();
  for (const char* suffix : {"", "/"}) {
    for (bool extras : {false, true}) {
      recorder = Recorder();
      Pack(members, extras);
      Extract(Dest() + suffix);
      ASSERT_EQ(list.Count(), 3);
      int64_t total = 0;
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ReadBytes(Dest() + "/" + members[i].Name), members[i].Data) << members[i].Name;
        EXPECT_EQ(FileSystem::GetFileDosTime(Dest() + "/" + members[i].Name), members[i].FileTime);
        total += static_cast<int64_t>(members[i].Data.size());
      }
      EXPECT_EQ(list.Name(0), "README.TXT");
      EXPECT_EQ(list.Name(1), "QUILLMK.EXE");
      EXPECT_EQ(list.Name(2), "EMPTY.DAT");
      EXPECT_EQ(recorder.bytes, total);
      EXPECT_EQ(recorder.statuses,
                (std::vector<std::string>{"Creating directory structure...", "Decompressing Readme.txt...",
                                          "Decompressing Quillmk.exe...", "Decompressing Empty.dat..."}));
    }
  }
}

TEST_F(ExtractTest, EmptyPackageCreatesThePathAndAnEmptyList) {
  Pack({});
  Extract(Dest());
  EXPECT_TRUE(FileSystem::DirectoryExists(Dest()));
  EXPECT_EQ(list.ByteSize(), 0);
}

TEST_F(ExtractTest, ExistingDirectoryIsUsedAndFilesReplaced) {
  Pack({{"a.txt", TextData(10), Time1, ""}});
  std::filesystem::create_directories(Dest());
  WriteBytes(Dest() + "/a.txt", TextData(5000));
  WriteBytes(Dest() + "/other.txt", TextData(3));
  Extract(Dest());
  EXPECT_EQ(ReadBytes(Dest() + "/a.txt"), TextData(10));
  EXPECT_EQ(ReadBytes(Dest() + "/other.txt"), TextData(3));
}

TEST_F(ExtractTest, LongNamesAreInstalledWholeAndListedCut) {
  Pack({{"TwentyCharacterName1", TextData(3), Time1, ""}});
  Extract(Dest());
  EXPECT_EQ(ReadBytes(Dest() + "/TwentyCharacterName1"), TextData(3));
  EXPECT_EQ(list.Name(0), "TWENTYCHARACTER");
}

TEST_F(ExtractTest, DamagedOrTruncatedStreamsNameThePackage) {
  const std::string pakError =
      "CRC error in PAK file\rDelphi30.pak is corrupt\rPlease obtain the original QmkSetup.exe file";
  for (bool truncate : {false, true}) {
    Pack({{"big.bin", TextData(20000), Time1, ""}});
    const PackageMember member = Member(0);
    if (truncate) {
      image.resize(image.size() - 5);
    } else {
      image.at(member.DataOffset + member.PackedSize / 2) ^= 0x10;
    }
    try {
      Extract(Dest());
      ADD_FAILURE() << "no error";
    } catch (const EPackageError& error) {
      EXPECT_EQ(error.what(), pakError);
    }
    EXPECT_EQ(list.Name(0), "BIG.BIN");
  }
}

TEST_F(ExtractTest, StopsAtTheFailingMemberKeepingTheEarlierOnes) {
  const std::vector<PackageInput> members = ThreeMembers();
  Pack(members);
  const PackageMember second = Member(1);
  image.at(second.DataOffset + 100) ^= 0xFF;
  EXPECT_THROW(Extract(Dest()), EPackageError);
  EXPECT_EQ(ReadBytes(Dest() + "/Readme.txt"), members[0].Data);
  EXPECT_TRUE(std::filesystem::exists(Dest() + "/Quillmk.exe"));
  EXPECT_FALSE(std::filesystem::exists(Dest() + "/Empty.dat"));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Name(0), "README.TXT");
  EXPECT_EQ(list.Name(1), "QUILLMK.EXE");
  EXPECT_EQ(list.Name(2), "");
}

TEST_F(ExtractTest, PackageCrcIsCheckedBeforeDestinationCrc) {
  const std::string pakError =
      "CRC error in PAK file\rDelphi30.pak is corrupt\rPlease obtain the original QmkSetup.exe file";
  const std::string destError = "CRC error in destination file.\rTry installing again";
  const struct {
    bool breakPacked, breakData;
    std::string expected;
  } cases[] = {{true, true, pakError}, {false, true, destError}, {true, false, pakError}};
  for (const auto& c : cases) {
    Pack({{"a.txt", TextData(100), Time1, ""}});
    const PackageMember m = Member(0);
    // DataCrc and PackedCrc are the last eight bytes of the only entry, right before the stream.
    if (c.breakData) PutInt32(m.DataOffset - 8, m.DataCrc ^ 1);
    if (c.breakPacked) PutInt32(m.DataOffset - 4, m.PackedCrc ^ 1);
    try {
      Extract(Dest());
      ADD_FAILURE() << "no error";
    } catch (const EPackageError& error) {
      EXPECT_EQ(error.what(), c.expected);
    }
  }
}

TEST_F(ExtractTest, WrongDecodedOutputIsADestinationError) {
  // A sound stream of other data, with its own PackedCrc but the original DataCrc.
  Pack({{"a.txt", TextData(100), Time1, ""}});
  const PackageMember original = Member(0);
  PackageOptions options;
  const std::vector<uint8_t> other = BuildPackage(options, {{"a.txt", TextData(99), Time1, ""}});
  image = other;
  WriteBytes(source.Path(name), image);
  const PackageMember replaced = Member(0);
  PutInt32(replaced.DataOffset - 8, original.DataCrc);
  try {
    Extract(Dest());
    ADD_FAILURE() << "no error";
  } catch (const EPackageError& error) {
    EXPECT_STREQ(error.what(), "CRC error in destination file.\rTry installing again");
  }
  EXPECT_EQ(ReadBytes(Dest() + "/a.txt"), TextData(99));
}

// A member is decoded up to the size its entry declares and no further: a stream with more to
// give, or one that ends before it, is the package's fault, whatever the CRCs say.
TEST_F(ExtractTest, TheDeclaredSizeBoundsTheDecoding) {
  const std::string pakError =
      "CRC error in PAK file\rDelphi30.pak is corrupt\rPlease obtain the original QmkSetup.exe file";
  for (const int32_t declared : {10, 99, 101, 20000}) {
    Pack({{"a.txt", TextData(100), Time1, ""}});
    PutInt32(Member(0).DataOffset - 20, static_cast<uint32_t>(declared));  // UnpackedSize of the only entry
    recorder = Recorder();
    try {
      Extract(Dest());
      ADD_FAILURE() << declared;
    } catch (const EPackageError& error) {
      EXPECT_EQ(error.what(), pakError) << declared;
    }
    EXPECT_EQ(ReadBytes(Dest() + "/a.txt").size(), std::min<size_t>(declared, 100)) << declared;
    EXPECT_EQ(recorder.bytes, std::min<int64_t>(declared, 100)) << declared;
  }
}

// The whole table is checked first: a bad second name keeps the first file from being written.
TEST_F(ExtractTest, MemberNamesThatLeaveTheDirectoryAreRefused) {
  const struct {
    std::string bad;
    bool endsAfterName;  // the name is judged before the rest of its entry is read
  } cases[] = {{"..", false},     {"../escaped.txt", false}, {"sub/file.txt", false},
               {"C:evil", false}, {"NUL ", false},           {"QUILLM~1.EXE", false},
               {"FIRST.TXT", false},  // the first member's file in another case
               {"../" + std::string(30, 'x'), true}};
  for (const auto& [bad, endsAfterName] : cases) {
    PackageBytes pak;
    pak.Header("Quillmark", "1", false).Int32(2).ShortText("first.txt");
    const int32_t offset = static_cast<int32_t>(pak.bytes.size()) + 24 + 1 + static_cast<int32_t>(bad.size()) + 24;
    const uint8_t empty = 128;
    pak.EntryFields(Time1, 0, offset, 1, 0, CrcOfBytes(&empty, 1)).ShortText(bad);
    if (!endsAfterName) pak.EntryFields(Time1, 0, offset, 1, 0, CrcOfBytes(&empty, 1)).Byte(empty);
    image = pak.bytes;
    try {
      Extract(Dest());
      ADD_FAILURE() << bad;
    } catch (const EPackageError& error) {
      EXPECT_NE(std::string(error.what()).find("Delphi30.pak"), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(bad), std::string::npos) << error.what();
    }
    EXPECT_EQ(list.ByteSize(), 0) << bad;
    EXPECT_FALSE(std::filesystem::exists(Dest())) << bad;
    EXPECT_FALSE(std::filesystem::exists(target.Path("Program Files/escaped.txt")));
  }
}

TEST_F(ExtractTest, RelativeDestinationIsRefusedBeforeAnythingIsMade) {
  Pack({{"a.txt", TextData(10), Time1, ""}});
  EXPECT_THROW(Extract("qm-relative-destination/sub"), EFileError);
  EXPECT_FALSE(std::filesystem::exists("qm-relative-destination"));
  EXPECT_EQ(list.ByteSize(), 0);
}

TEST_F(ExtractTest, ALevelThatIsAFileIsAFileError) {
  Pack({{"a.txt", TextData(10), Time1, ""}});
  WriteBytes(target.Path("Program Files"), TextData(1));  // a file where a level should be
  EXPECT_THROW(Extract(Dest()), EFileError);
}

TEST_F(ExtractTest, AnEntryCountTheTableCannotHoldIsCorrupt) {
  PackageBytes pak;
  pak.Header("Quillmark", "1", false).Int32(0x7FFFFFFF);
  image = pak.bytes;
  EXPECT_THROW(Extract(Dest()), EPackageError);
  EXPECT_EQ(list.ByteSize(), 0);
}

}  // namespace
