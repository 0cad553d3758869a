#include "RunPlan.h"

#include <gtest/gtest.h>

#include "ShiftJis.h"

namespace {

using Levels = std::vector<std::string>;

// A fresh installation as start-up proposes it, with Delphi 3 found elsewhere.
RunModel Proposed() {
  RunModel model;
  model.Pages.Case = StartupCase::FreshInstall;
  model.InstallDir = "C:\\Program Files\\Quillmark";
  for (int i = 0; i < IdeOptionCount; ++i) model.Ide[i].Directory = model.InstallDir + "\\" + IdeOptions[i].Key;
  model.Ide[2] = {true, true, true, false, "D:\\Delphi 3\\Lib"};
  return model;
}

std::string Described(const RunPlan& plan) {
  std::string text = plan.Install.Path + " root " + plan.Install.Root;
  for (const std::string& level : plan.Install.Levels) text += " | " + level;
  for (const IdeTarget& option : plan.Ide)
    text += std::string(" ") + (option.Chosen ? "+" : "-") + option.Directory + " in " + option.Path;
  for (const PackageTarget& package : plan.Packages)
    text += " package " + std::to_string(package.Option) + " into " + package.Path;
  return text;
}

TEST(RunPlan, TheSameDirectoryTextGivesTheSamePlanTypedOrGivenAsDir) {
  for (const char* text : {"E:\\Tools\\QM", "E:\\Tools\\QM\\", "E:\\Tools\\QM\\\\", "e:\\tools\\qm"}) {
    SCOPED_TRACE(text);
    RunModel typed = Proposed();
    typed.InstallDir = text;  // as the window takes the field's text into the model
    RunModel switched = Proposed();
    SetupSwitches switches;
    switches.Dir = text;
    ApplySwitches(switched, switches);
    // The window's proposed option folders stay where start-up put them (they follow no later
    // change of the field); /DIR has no field for them and moves them along.
    for (int i = 0; i < IdeOptionCount; ++i) switched.Ide[i].Directory = typed.Ide[i].Directory;
    EXPECT_EQ(Described(PlanOf(typed, PlannedCommand::Install)), Described(PlanOf(switched, PlannedCommand::Install)));
  }
}

TEST(RunPlan, MakesTheDirectoryOnceRootedSplitAndEndingInABackslash) {
  RunModel model = Proposed();
  const RunPlan proposed = PlanOf(model, PlannedCommand::Install);
  EXPECT_EQ(proposed.Install.Path, "C:\\Program Files\\Quillmark\\");
  EXPECT_EQ(proposed.Install.Root, "C:\\");
  EXPECT_EQ(proposed.Install.Levels, (Levels{"C:\\Program Files", "C:\\Program Files\\Quillmark"}));
  EXPECT_EQ(proposed.Ide[2].Path, "D:\\Delphi 3\\Lib\\");
  EXPECT_TRUE(proposed.Ide[2].Chosen);
  EXPECT_FALSE(proposed.Ide[0].Chosen);
  // The application's package first, then only the chosen option's.
  ASSERT_EQ(proposed.Packages.size(), 2u);
  EXPECT_EQ(proposed.Packages[0].Option, ApplicationPackage);
  EXPECT_EQ(proposed.Packages[0].Path, proposed.Install.Path);
  EXPECT_EQ(proposed.Packages[1].Option, 2);
  EXPECT_EQ(proposed.Packages[1].Path, "D:\\Delphi 3\\Lib\\");

  model.InstallDir = "";
  EXPECT_EQ(PlanOf(model, PlannedCommand::Install).Install.Path, "C:\\Program Files\\Quillmark\\");

  // C:\一覧表: the second byte of 表 (95 5C) is no backslash and gets one added.
  model.InstallDir = "C:\\\x88\xEA\x97\x97\x95\x5C";
  const RunPlan shiftJis = PlanOf(model, PlannedCommand::Install, ShiftJis());
  EXPECT_EQ(shiftJis.Install.Path, "C:\\\x88\xEA\x97\x97\x95\x5C\\");
  EXPECT_EQ(shiftJis.Install.Root, "C:\\");
  EXPECT_EQ(shiftJis.Install.Levels, Levels{"C:\\\x88\xEA\x97\x97\x95\x5C"});
}

TEST(RunPlan, RefusesATypedDirectoryAsDirWouldBeRefused) {
  struct Row {
    const char* text;
    const char* why;
  };
  const Row rows[] = {
      {"Quillmark", "it is not a full path (C:\\...)"},
      {"C:\\", "it is the root folder of a drive"},
      {"C:\\\\\\", "it is the root folder of a drive"},
      {"\\\\srv\\tools\\QM", "it is a network share, whose permissions are the server's"},
      {"C:/Quillmark", "it holds \"/\" or \"%\""},
      {"C:\\%ProgramFiles%\\Quillmark", "it holds \"/\" or \"%\""},
      {"C:\\Program Files\\..\\..\\Quillmark", "it holds a \".\" or \"..\" folder"},
      {"C:\\.\\Quillmark", "it holds a \".\" or \"..\" folder"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    RunModel model = Proposed();
    model.InstallDir = row.text;
    try {
      PlanOf(model, PlannedCommand::Install);
      ADD_FAILURE() << "taken";
    } catch (const EUnusableDirectory& refused) {
      EXPECT_EQ(refused.what(), "Cannot install into " + std::string(row.text) + ": " + row.why);
    }
    EXPECT_NE(ParseSetupSwitches(std::string("\"/DIR=") + row.text + "\"").Error, "");
  }
}

TEST(RunPlan, TakesTheRecordedDirectoryOfAnUpdateAsItIs) {
  RunModel model = Proposed();
  model.InstallDir = "\\\\srv\\tools\\QM\\";  // an older Setup's choice: the update must find it
  EXPECT_EQ(PlanOf(model, PlannedCommand::Update).Install.Path, "\\\\srv\\tools\\QM\\");
  model.InstallDir = "Quillmark";
  EXPECT_THROW(PlanOf(model, PlannedCommand::Update), EUnusableDirectory);
}

}  // namespace
