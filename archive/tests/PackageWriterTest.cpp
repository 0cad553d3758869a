#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ByteFile.h"
#include "Package.h"
#include "PackageBytes.h"
#include "PackageWriter.h"

namespace {

TEST(PackageWriter, RefusesNamesThatAreNotPlain) {
  for (const std::string bad : {"..", "sub\\file.txt", "../up.txt", ""}) {
    PackageInput member;
    member.Name = bad;
    EXPECT_THROW(BuildPackage(PackageOptions(), {member}), EPackageError) << bad;
  }
}

TEST(PackageWriter, LaysOutHeaderTableAndStreams) {
  PackageOptions options;
  options.VersionText = "1.2\r\n";
  options.HasExtraText = true;
  PackageInput a{"A.TXT", std::vector<uint8_t>(300, 'a'), 0x5A219C00, "note"};
  PackageInput b{"Empty.dat", {}, 0x5A210000, ""};
  const std::vector<uint8_t> image = BuildPackage(options, {a, b});
  ASSERT_GE(image.size(), 7u);
  EXPECT_EQ(std::string(image.begin(), image.begin() + 5), "PWPAK");

  ScratchDir dir;
  WriteBytes(dir.Path("p.pak"), image);
  ByteFile file;
  file.Open(dir.Path("p.pak"), ByteFile::Mode::Read);
  const PackageDirectory d = ReadPackageDirectory(file);
  EXPECT_EQ(d.ProductName, "Quillmark");
  EXPECT_EQ(d.VersionText, "1.2\r\n");
  ASSERT_EQ(d.Members.size(), 2u);
  EXPECT_EQ(d.Members[0].ExtraText, "note");
  EXPECT_EQ(d.Members[0].FileTime, 0x5A219C00u);
  EXPECT_EQ(d.Members[0].UnpackedSize, 300);
  EXPECT_EQ(d.Members[0].DataCrc, CrcOfBytes(a.Data.data(), a.Data.size()));
  EXPECT_EQ(d.Members[1].UnpackedSize, 0);
  EXPECT_EQ(d.Members[1].DataCrc, 0u);
  // Streams follow the table back to back; the empty member is the single byte 128.
  EXPECT_EQ(d.Members[0].DataOffset, static_cast<int32_t>(file.Position()));
  EXPECT_EQ(d.Members[1].DataOffset, d.Members[0].DataOffset + d.Members[0].PackedSize);
  EXPECT_EQ(d.Members[1].PackedSize, 1);
  EXPECT_EQ(image.back(), 128);
  EXPECT_EQ(static_cast<size_t>(d.Members[1].DataOffset + 1), image.size());
  for (const PackageMember& m : d.Members) {
    EXPECT_EQ(m.PackedCrc, CrcOfBytes(image.data() + m.DataOffset, static_cast<size_t>(m.PackedSize)));
  }
}

}  // namespace
