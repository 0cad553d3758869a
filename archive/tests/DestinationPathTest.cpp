#include <gtest/gtest.h>

#include "ShiftJis.h"

#include "ByteFile.h"
#include "CodePage.h"
#include "DestinationPath.h"


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

}  // namespace
