#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>

#include "DirectoryAccess.h"

namespace {

// Read as Windows reads it: a protected DACL of allow entries passed on to files and folders.
// Only SYSTEM and Administrators may write, delete or change the security; Users read and run.
TEST(DirectoryAccess, ProtectedDirectoriesAreWritableOnlyByAdministrators) {
  const std::string sddl = ProtectedDirectorySddl();
  ASSERT_EQ(sddl.rfind("O:BAD:P", 0), 0u) << "not owned by Administrators, or not protected";
  const std::map<std::string, uint32_t> named = {{"FA", 0x1f01ff}, {"FR", 0x120089}, {"FX", 0x1200a0}};
  const uint32_t anyWrite = 0x2 | 0x4 | 0x10 | 0x40 | 0x100 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;
  std::map<std::string, uint32_t> rights;
  const std::regex ace(R"(\(A;OICI;([^;]+);;;([A-Z]+)\))");
  std::string rest = sddl.substr(7);
  for (std::smatch m; std::regex_search(rest, m, ace); rest = m.suffix()) {
    ASSERT_EQ(m.position(0), 0) << "an entry that is not allow, inheritable: " << rest;
    const std::string mask = m[1];
    rights[m[2]] |= named.count(mask) ? named.at(mask) : static_cast<uint32_t>(std::stoul(mask, nullptr, 16));
  }
  EXPECT_TRUE(rest.empty()) << rest;
  EXPECT_EQ(rights["SY"], 0x1f01ffu);
  EXPECT_EQ(rights["BA"], 0x1f01ffu);
  EXPECT_EQ(rights["BU"], 0x1200a9u);
  for (const auto& [sid, mask] : rights) {
    if (sid != "SY" && sid != "BA") {
      EXPECT_EQ(mask & anyWrite, 0u) << sid;
    }
  }
}

}  // namespace
