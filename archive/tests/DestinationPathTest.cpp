#include <gtest/gtest.h>

#include "ShiftJis.h"

#include "ByteFile.h"
#include "CodePage.h"
#include "DestinationPath.h"
#include "DirectoryAccess.h"

#include <map>
#include <regex>

namespace {

using Levels = std::vector<std::string>;

TEST(DestinationPath, RootedDestinationsGetTheirSeparatorAndLevels) {
  const struct {
    PathStyle style;
    std::string dir, completed;
    Levels levels;
    bool shiftJis = false;
  } cases[] = {
      {PathStyle::Windows, "C:\\Program Files\\Quillmark", "C:\\Program Files\\Quillmark\\",
       {"C:\\Program Files", "C:\\Program Files\\Quillmark"}},
      {PathStyle::Windows, "d:\\Qm\\", "d:\\Qm\\", {"d:\\Qm"}},
      {PathStyle::Windows, "C:\\", "C:\\", {}},
      {PathStyle::Windows, "C:\\a\\\\b", "C:\\a\\\\b\\", {"C:\\a", "C:\\a\\\\b"}},
      {PathStyle::Windows, "\\\\server\\share", "\\\\server\\share\\", {}},
      {PathStyle::Windows, "\\\\server\\share\\Apps\\Qm", "\\\\server\\share\\Apps\\Qm\\",
       {"\\\\server\\share\\Apps", "\\\\server\\share\\Apps\\Qm"}},
      {PathStyle::Posix, "/opt/qm", "/opt/qm/", {"/opt", "/opt/qm"}},
      {PathStyle::Posix, "/", "/", {}},
      {PathStyle::Windows, "C:\\\x95\x5C", "C:\\\x95\x5C\\", {"C:\\\x95\x5C"}, true},
      {PathStyle::Windows, "C:\\\x95\x5C\\Qm", "C:\\\x95\x5C\\Qm\\", {"C:\\\x95\x5C", "C:\\\x95\x5C\\Qm"}, true},
      {PathStyle::Windows, "\\\\s\x95\x5C\\share", "\\\\s\x95\x5C\\share\\", {}, true},
      {PathStyle::Windows, "C:\\Квиллмарк\\王伟", "C:\\Квиллмарк\\王伟\\", {"C:\\Квиллмарк", "C:\\Квиллмарк\\王伟"}},
  };
  for (const auto& c : cases) {
    const CodePage page = c.shiftJis ? ShiftJis() : CodePage::Utf8();
    const std::string completed = CompleteDestination(c.dir, c.style, page);
    EXPECT_EQ(completed, c.completed);
    EXPECT_EQ(DestinationLevels(completed, c.style, page), c.levels) << c.dir;
  }
}

TEST(DestinationPath, UnrootedDestinationsAreRefused) {
  const struct {
    PathStyle style;
    std::string dir;
  } cases[] = {
      {PathStyle::Windows, ""},           {PathStyle::Windows, "Quillmark"},
      {PathStyle::Windows, "\\Quillmark"}, {PathStyle::Windows, "C:Quillmark"},
      {PathStyle::Windows, "1:\\x"},       {PathStyle::Windows, "\\\\server"},
      {PathStyle::Windows, "\\\\server\\"}, {PathStyle::Windows, "\\\\\\share\\x"},
      {PathStyle::Windows, "C:/x"},        {PathStyle::Posix, ""},
      {PathStyle::Windows, "\\\\C:\\x\\y"}, {PathStyle::Windows, "\\\\.\\pipe\\x"},
      {PathStyle::Windows, "\\\\?\\C:\\x"}, {PathStyle::Windows, "\\\\.\\C:\\x"},
      {PathStyle::Windows, "\\\\ui\nC:\\Pri\\x"}, {PathStyle::Windows, "\\\\srv\tx\\share\\x"},
      {PathStyle::Posix, "relative/dir"},  {PathStyle::Posix, "C:\\x"},
  };
  for (const auto& c : cases) EXPECT_THROW(CompleteDestination(c.dir, c.style), EFileError) << c.dir;

  // Windows before 10 1903 put "?" for each character their code page lacks: the error says so.
  try {
    CompleteDestination("C:\\?????????\\Quillmark", PathStyle::Windows, CodePage::SingleByte(1252));
    ADD_FAILURE() << "a name with \"?\" was taken";
  } catch (const EFileError& error) {
    EXPECT_NE(std::string(error.what()).find("code page (1252) cannot represent"), std::string::npos) << error.what();
  }
}

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
