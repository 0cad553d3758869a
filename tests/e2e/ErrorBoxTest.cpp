// An error escaping a handler: the framework's error box, and the window in the state reached.
#include "Driver.h"

namespace e2e {
namespace {

using ErrorBoxTest = SetupTest;

TEST_F(ErrorBoxTest, WrongSignatureShowsPakFileCorruptAndThenTheWindowAsDesigned) {
  Dist().AddSetup();
  std::vector<uint8_t> damaged = ReadFileBytes(BuildDistDir() + "Quillmk.pak");
  ASSERT_GT(damaged.size(), 5u);
  damaged[0] = 'Q';  // "QWPAK"
  Dist().WriteFile("Quillmk.pak", damaged);
  Start();
  HWND box = Process().WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  const MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.Caption, "Quillmark Setup");
  EXPECT_EQ(content.Text, "PAK file corrupt.") << "a text ending in a letter gets a full stop";
  EXPECT_EQ(content.Icon, ShownIcon::Error);
  EXPECT_EQ(content.Buttons, 1) << "OK only";
  AnswerMessageBox(box, IDOK);

  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  EXPECT_EQ(window.Tabs(), (std::vector<std::string>{"Welcome", "Delphi/C++Builder", "Install", "Update", "Uninstall"}));
  EXPECT_EQ(window.CurrentTab(), "Welcome");
  // The analysis stopped before filling anything: the placeholders stay.
  const struct {
    int id;
    const char* text;
  } placeholders[] = {{LabelVersion, "LabelVersion"},       {LabelSpaceNeeded, "000 kB"},
                      {LabelSpaceFree, "0,000 kB"},         {LabelOldVersion, "LabelOldVersion"},
                      {LabelInstallVersion, "LabelInstallVersion"}, {EditInstallDir, ""}};
  for (const auto& p : placeholders) EXPECT_EQ(window.Text(p.id), p.text) << "control " << p.id;
}

}  // namespace
}  // namespace e2e
