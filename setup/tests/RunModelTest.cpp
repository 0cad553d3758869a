#include "RunModel.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A fresh installation as start-up proposes it: the options below the installation directory,
// Delphi 3 found elsewhere, BCB10's package missing.
RunModel Proposed(StartupCase startupCase = StartupCase::FreshInstall) {
  RunModel model;
  model.Pages.Case = startupCase;
  model.InstallDir = "C:\\Program Files\\Quillmark";
  for (int i = 0; i < IdeOptionCount; ++i) model.Ide[i].Directory = model.InstallDir + "\\" + IdeOptions[i].Key;
  model.Ide[2] = {true, true, true, false, "D:\\Delphi 3\\Lib"};
  model.Ide[4].PackageUsable = false;
  return model;
}

// The directories and ticks of a model, in option order, then the shortcuts when not the
// window's start (Desktop and Programs).
std::string Describe(const RunModel& model) {
  std::string text = model.InstallDir;
  for (const IdeChoice& option : model.Ide) text += std::string(" ") + (option.Chosen ? "+" : "-") + option.Directory;
  const ShortcutChoices& links = model.Shortcuts;
  if (!links.Desktop || links.StartMenu || !links.Programs)
    text += std::string(" links ") + (links.Desktop ? "D" : "") + (links.StartMenu ? "S" : "") + (links.Programs ? "P" : "");
  return text;
}

TEST(ApplySwitches, FillTheModelOfAFreshInstallation) {
  const auto parse = [](const char* line) { return ParseSetupSwitches(line).Switches; };
  struct Row {
    const char* line;
    std::string expected;
  };
  const std::string proposed = Describe(Proposed());
  const Row rows[] = {
      {"/SHORTCUTS=startmenu,programs /NORESTART", proposed + " links SP"},
      {"/NOICONS /SUPPRESSMSGBOXES", proposed + " links "},
      {"", "C:\\Program Files\\Quillmark -C:\\Program Files\\Quillmark\\Delphi10 -C:\\Program Files\\Quillmark\\Delphi20 "
           "+D:\\Delphi 3\\Lib -C:\\Program Files\\Quillmark\\Delphi40 -C:\\Program Files\\Quillmark\\BCB10 "
           "-C:\\Program Files\\Quillmark\\BCB30"},
      // The proposed option directories follow the installation directory; a found one stays.
      {"/DIR=E:\\Tools\\QM\\\\", "E:\\Tools\\QM -E:\\Tools\\QM\\Delphi10 -E:\\Tools\\QM\\Delphi20 +D:\\Delphi 3\\Lib "
                                 "-E:\\Tools\\QM\\Delphi40 -E:\\Tools\\QM\\BCB10 -E:\\Tools\\QM\\BCB30"},
      // A share is refused by the parse (as a drive root is): the model stays as proposed.
      {"/DIR=\\\\srv\\tools\\QM", proposed},
      {"/COMPONENTS=delphi10,BCB30 /DIR=E:\\Q",
       "E:\\Q +E:\\Q\\Delphi10 -E:\\Q\\Delphi20 -D:\\Delphi 3\\Lib -E:\\Q\\Delphi40 -E:\\Q\\BCB10 +E:\\Q\\BCB30"},
      {"/COMPONENTS=none", "C:\\Program Files\\Quillmark -C:\\Program Files\\Quillmark\\Delphi10 "
                           "-C:\\Program Files\\Quillmark\\Delphi20 -D:\\Delphi 3\\Lib "
                           "-C:\\Program Files\\Quillmark\\Delphi40 -C:\\Program Files\\Quillmark\\BCB10 "
                           "-C:\\Program Files\\Quillmark\\BCB30"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    RunModel model = Proposed();
    ApplySwitches(model, parse(row.line));
    EXPECT_EQ(Describe(model), row.expected);
  }

  // An option whose package cannot be installed refuses the line and changes nothing.
  RunModel model = Proposed();
  EXPECT_THROW(ApplySwitches(model, parse("/DIR=E:\\Q /COMPONENTS=BCB10")), std::runtime_error);
  EXPECT_EQ(Describe(model), Describe(Proposed()));
  // An update, or any other case, keeps the recorded directory and options.
  for (StartupCase other : {StartupCase::Update, StartupCase::SameVersion, StartupCase::NothingInstalled}) {
    RunModel kept = Proposed(other);
    ApplySwitches(kept, parse("/DIR=E:\\Q /COMPONENTS=Delphi10 /NOICONS"));
    EXPECT_EQ(Describe(kept), Describe(Proposed(other))) << CaseLetter(other);
    // Whose share, and closing the programs that hold files, count for every command.
    ApplySwitches(kept, parse("/ALLUSERS /FORCECLOSEAPPLICATIONS"));
    EXPECT_EQ(kept.Scope, InstallScope::AllUsers);
    EXPECT_TRUE(kept.Closing.Close && kept.Closing.Force && kept.Closing.Restart);
  }
}

TEST(RunModel, FindsTheDelphi1And2Clash) {
  RunModel model;
  model.Ide[0].Directory = "C:\\Delphi\\Lib";
  model.Ide[1].Directory = "c:\\DELPHI\\lib";
  EXPECT_TRUE(Delphi1And2Clash(model));  // whether chosen or not, as the window checks them
  model.Ide[1].Directory = "C:\\Delphi\\Lib\\";
  EXPECT_FALSE(Delphi1And2Clash(model));
}

}  // namespace
