#include "RunModel.h"

#include "AccountPlaces.h"

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

// Who runs, and for whom: where shortcuts go, whose Tools-menu entries are written now, and
// whether every user gets theirs at the next logon; and where Uninstall looks for shortcuts.
TEST(PlacesFor, ShortcutsToolsEntriesAndEveryUsersShareByAccountAndScope) {
  const auto P = AccountKind::Person;
  const auto S = AccountKind::LocalSystem;
  const auto U = ShortcutFolders::User;
  const auto A = ShortcutFolders::AllUsers;
  struct Row {
    AccountKind kind;
    InstallScope scope;
    ShortcutFolders shortcuts;
    bool tools, everyUser, note;
    bool removeUser, removeAll, removeAllWhenFound;  // Uninstall: not found, found for everyone
  };
  const Row rows[] = {
      {P, InstallScope::Unstated, U, true, false, false, true, false, true},
      {P, InstallScope::CurrentUser, U, true, false, false, true, false, false},
      {P, InstallScope::AllUsers, A, true, true, true, true, true, true},
      {S, InstallScope::Unstated, A, false, true, true, false, true, true},
      {S, InstallScope::AllUsers, A, false, true, true, false, true, true},
      {S, InstallScope::CurrentUser, A, false, true, true, false, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.kind) << " " << static_cast<int>(row.scope));
    const AccountPlaces places = PlacesFor(row.kind, row.scope);
    EXPECT_EQ(places.Shortcuts, row.shortcuts);
    EXPECT_EQ(places.ToolsMenuEntries, row.tools);
    EXPECT_EQ(places.EveryUser, row.everyUser);
    EXPECT_EQ(places.LogNote != nullptr, row.note);
    const ShortcutCleaning plain = ShortcutsToRemove(row.kind, row.scope, false);
    const ShortcutCleaning found = ShortcutsToRemove(row.kind, row.scope, true);
    EXPECT_EQ(plain.User, row.removeUser);
    EXPECT_EQ(found.User, row.removeUser);
    EXPECT_EQ(plain.AllUsers, row.removeAll);
    EXPECT_EQ(found.AllUsers, row.removeAllWhenFound);
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
