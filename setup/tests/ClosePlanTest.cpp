#include "ClosePlan.h"

#include <gtest/gtest.h>

namespace {

// Only holders of the files Setup replaces or deletes are closed; never Setup, a service, the
// shell or a critical process, whatever they hold.
TEST(ProgramsToClose, OnlyHoldersOfTheFilesSetupReplaces) {
  const std::vector<std::string> paths = {"C:\\Program Files\\Quillmark\\Quillmk.exe",
                                          "C:\\Program Files\\Quillmark\\Templates.ini"};
  const std::vector<HoldingProgram> running = {
      {10, "c:\\program files\\QUILLMARK\\quillmk.exe", ProgramKind::Application, false},  // by its image
      {11, "C:\\Program Files\\Quillmark\\Other.exe", ProgramKind::Application, false},    // beside, holds none
      {12, "C:\\Windows\\notepad.exe", ProgramKind::Application, true},                    // named as holder
      {13, "C:\\Tools\\cli.exe", ProgramKind::Console, true},
      {14, "C:\\Windows\\system32\\svchost.exe", ProgramKind::Service, true},
      {15, "C:\\Windows\\explorer.exe", ProgramKind::Shell, true},
      {16, "C:\\Windows\\system32\\csrss.exe", ProgramKind::Critical, true},
      {17, "C:\\Dist\\Setup.exe", ProgramKind::Application, true},  // Setup itself
      {0, "", ProgramKind::Application, true},                      // no process
      {12, "", ProgramKind::Application, true},                     // named twice
      {18, "C:\\Program Files\\Quillmark\\Quillmk.exe.bak", ProgramKind::Application, false},
      {14, "C:\\Program Files\\Quillmark\\Quillmk.exe", ProgramKind::Application, false},  // still a service
  };
  std::vector<uint32_t> ids;
  for (const HoldingProgram& program : ProgramsToClose(running, paths, 17)) ids.push_back(program.Id);
  EXPECT_EQ(ids, (std::vector<uint32_t>{10, 12, 13}));
  EXPECT_EQ(ProgramsToClose(running, {}, 17).size(), 2u) << "only the named holders without paths";
  EXPECT_TRUE(ProgramsToClose({running[1], running[10]}, paths, 17).empty());
}

}  // namespace
