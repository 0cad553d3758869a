#include "driver/PackageImage.h"

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

}  // namespace e2e
