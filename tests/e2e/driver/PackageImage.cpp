#include "driver/PackageImage.h"

#include "archive/ByteFile.h"
#include "archive/LZH.h"
#include "archive/Package.h"

namespace e2e {

std::vector<uint8_t> PackageImage(const std::string& version, const std::vector<PackageInput>& members,
                                  const std::string& productName) {
  PackageOptions options;
  options.ProductName = productName;
  options.VersionText = version;
  return BuildPackage(options, members);
}

PackageInput TextMember(const std::string& name, const std::string& text) {
  PackageInput member;
  member.Name = name;
  member.Data.assign(text.begin(), text.end());
  const uint32_t dosDate = (2001 - 1980) << 9 | 2 << 5 | 3;
  const uint32_t dosTime = 4 << 11 | 5 << 5 | 6 / 2;
  member.FileTime = dosDate << 16 | dosTime;
  return member;
}

std::vector<uint8_t> RebuiltWithOneByteChanged(const std::string& path) {
  ByteFile file;
  file.Open(path, ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  TLZHCompressor decoder;
  std::vector<PackageInput> members;
  for (const PackageMember& entry : directory.Members) {
    std::vector<uint8_t> stream(static_cast<size_t>(entry.PackedSize));
    file.Seek(entry.DataOffset);
    file.ReadExact(stream.data(), static_cast<uint32_t>(stream.size()));
    members.push_back({entry.Name, DecodeStream(decoder, stream.data(), stream.size()), entry.FileTime, entry.ExtraText});
  }
  for (PackageInput& member : members)
    if (!member.Data.empty()) {
      member.Data[member.Data.size() / 2] ^= 0x20;
      break;
    }
  PackageOptions options;
  options.ProductName = directory.ProductName;
  options.VersionText = directory.VersionText;
  options.HasExtraText = directory.HasExtraText;
  return BuildPackage(options, members);
}

}  // namespace e2e
