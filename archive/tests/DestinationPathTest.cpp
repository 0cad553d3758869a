#include <gtest/gtest.h>

#include "ByteFile.h"
#include "DestinationPath.h"

namespace {

using Levels = std::vector<std::string>;

TEST(DestinationPath, RootedDestinationsGetTheirSeparatorAndLevels) {
  const struct {
    PathStyle style;
    std::string dir, completed;
    Levels levels;
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
  };
  for (const auto& c : cases) {
    const std::string completed = CompleteDestination(c.dir, c.style);
    EXPECT_EQ(completed, c.completed);
    EXPECT_EQ(DestinationLevels(completed, c.style), c.levels) << c.dir;
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
      {PathStyle::Posix, "relative/dir"},  {PathStyle::Posix, "C:\\x"},
  };
  for (const auto& c : cases) EXPECT_THROW(CompleteDestination(c.dir, c.style), EFileError) << c.dir;
}

}  // namespace
