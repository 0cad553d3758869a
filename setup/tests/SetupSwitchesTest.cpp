#include "SetupSwitches.h"


#include <gtest/gtest.h>

namespace {

struct Case {
  const char* line;
  bool valid;
  const char* expected;  // the switches read back as text, "" when refused
};

// The switches read back in one fixed order, so a row states everything that was understood;
// "quiet" first when the line looks silent, so no box may be shown.
std::string Describe(const SwitchParse& parse) {
  const SetupSwitches& s = parse.Switches;
  std::string text = parse.SilentLooking ? "quiet " : "";
  if (s.Silent) text += "silent ";
  if (s.VerySilent) text += "verysilent ";
  if (s.Uninstall) text += "uninstall ";
  if (s.Help) text += "help ";
  if (s.Dir) text += "dir=[" + *s.Dir + "] ";
  if (s.Log) text += "log=[" + *s.Log + "] ";
  if (s.Components) {
    text += "components=";
    for (int i = 0; i < IdeOptionCount; ++i) text += (*s.Components)[i] ? '1' : '0';
    text += ' ';
  }
  if (s.Shortcuts) {
    text += "shortcuts=";
    for (bool chosen : *s.Shortcuts) text += chosen ? '1' : '0';
    text += ' ';
  }
  for (const std::string& ignored : s.Ignored) text += "ignored=" + ignored + " ";
  if (s.Closing.Close) text += "close ";
  if (s.Closing.Force) text += "force ";
  if (!s.Closing.Restart) text += "norestart ";
  if (s.Scope != InstallScope::Unstated) text += s.Scope == InstallScope::AllUsers ? "allusers " : "currentuser ";
  if (s.RestartExitCode) text += "restartexitcode=" + std::to_string(*s.RestartExitCode) + " ";
  if (s.UserSetup) text += "usersetup ";
  return text;
}

TEST(ParseSetupSwitches, TakesValidLinesAndRefusesTheRestWithoutABoxWhenQuiet) {
  const Case cases[] = {
      {"", true, ""},
      {"  \t ", true, ""},
      {"/silent /VerySilent /UNINSTALL", true, "quiet silent verysilent uninstall "},
      {"/?", true, "help "},
      {"/help", true, "help "},
      {"/DIR=C:\\Q /log=C:\\q.log", true, "dir=[C:\\Q] log=[C:\\q.log] "},
      {"/DIR=\"C:\\Program Files\\Q\" /LOG=x", true, "dir=[C:\\Program Files\\Q] log=[x] "},
      {"\"/DIR=C:\\Program Files\\Q\\\"", true, "dir=[C:\\Program Files\\Q\\] "},
      {"/dir=C:\\a=b", true, "dir=[C:\\a=b] "},
      {"/COMPONENTS=Delphi30,bcb30", true, "components=001001 "},
      {"/COMPONENTS=delphi10,Delphi10", true, "components=100000 "},
      {"/components=NONE", true, "components=000000 "},
      // What deployment tools add out of habit: accepted, logged, changing nothing.
      {"/verysilent /SuppressMsgBoxes /NORESTART /nocancel /sp-", true,
       "quiet verysilent ignored=/SUPPRESSMSGBOXES ignored=/NORESTART ignored=/NOCANCEL ignored=/SP- "},
      {"/NOICONS", true, "shortcuts=000 "},
      {"/SHORTCUTS=programs,Desktop", true, "shortcuts=101 "},
      {"/shortcuts=StartMenu", true, "shortcuts=010 "},
      {"/SHORTCUTS=none", true, "shortcuts=000 "},
      // Closing the programs that hold files; forcing is a way of closing.
      {"/CLOSEAPPLICATIONS", true, "close "},
      {"/forcecloseapplications /NoRestartApplications", true, "close force norestart "},
      {"/CLOSEAPPLICATIONS /RESTARTAPPLICATIONS", true, "close "},
      {"/NOCLOSEAPPLICATIONS", true, ""},
      {"/ALLUSERS /UNINSTALL", true, "uninstall allusers "},
      {"/currentuser", true, "currentuser "},
      {"/RESTARTEXITCODE=3010 /VERYSILENT", true, "quiet verysilent restartexitcode=3010 "},
      {"/RESTARTEXITCODE=4294967295", true, "restartexitcode=4294967295 "},
      // /LOG alone: a new file in the temporary directory.
      {"/LOG /VERYSILENT", true, "quiet verysilent log=[] "},
      {"/USERSETUP /VERYSILENT /LOG", true, "quiet verysilent log=[] usersetup "},
      // Refused: repeats (also in another case or spelling), unknown or bare words, values.
      {"/SILENT /silent", false, "quiet silent "},
      {"/? /HELP", false, ""},
      {"/DIR=a /Dir=b", false, ""},
      {"/QUIET", false, "quiet "},
      {"-q", false, "quiet "},
      {"/S", false, "quiet "},
      {"-QN /x", false, "quiet "},
      {"-Silent", false, "quiet "},
      {"/SILENTLY", false, ""},
      {"/NOICONS /SHORTCUTS=desktop", false, ""},
      {"/SHORTCUTS=desktop,quicklaunch", false, ""},
      {"/SHORTCUTS=", false, ""},
      {"/NORESTART=1", false, ""},
      {"/SP", false, ""},
      // /DIR: a full path below a drive or share; the refusal still finds the log.
      {"/VERYSILENT /DIR=Quillmark /LOG=C:\\q.log", false, "quiet verysilent log=[C:\\q.log] "},
      {"/LOG=C:\\first.log /DIR=C:\\ /LOG=C:\\second.log", false, "log=[C:\\first.log] "},
      {"/DIR=C:Quillmark", false, ""},
      {"/DIR=\\Quillmark", false, ""},
      {"/DIR=\\\\srv\\share\\", false, ""},
      {"/DIR=\\\\srv", false, ""},
      {"/DIR=C:/Tools/Q", false, ""},
      {"/DIR=%ProgramFiles%\\Q", false, ""},
      {"/DIR=C:\\Q\\..\\..", false, ""},
      // Each condition by itself, on a path that is otherwise full.
      {"/DIR=C:\\Tools/Q", false, ""},
      {"/DIR=C:\\Q%", false, ""},
      {"/DIR=C:\\Q\\.\\R", false, ""},
      {"/DIR=C:\\Q\\.", false, ""},
      {"/DIR=C:\\Q\\.hidden\\a.b", true, "dir=[C:\\Q\\.hidden\\a.b] "},
      {"/SILENTX", false, ""},
      {"install", false, ""},
      {"/SILENT=yes", false, ""},
      {"/DIR=", false, ""},
      {"/LOG=", false, ""},
      {"/LOG /LOG=C:\\q.log", false, "log=[] "},
      {"/CLOSEAPPLICATIONS /NOCLOSEAPPLICATIONS", false, ""},
      {"/FORCECLOSEAPPLICATIONS /NOCLOSEAPPLICATIONS", false, ""},
      {"/RESTARTAPPLICATIONS /NORESTARTAPPLICATIONS", false, ""},
      {"/NOCLOSEAPPLICATIONS /RESTARTAPPLICATIONS", false, ""},
      {"/ALLUSERS /CURRENTUSER", false, ""},
      {"/CLOSEAPPLICATIONS=yes", false, ""},
      {"/RESTARTEXITCODE", false, ""},
      {"/RESTARTEXITCODE=abc", false, ""},
      {"/RESTARTEXITCODE=-1", false, ""},
      {"/RESTARTEXITCODE=4294967296", false, ""},
      {"/USERSETUP /ALLUSERS", false, ""},
      {"/USERSETUP /UNINSTALL", false, ""},
      {"/USERSETUP /DIR=C:\\Q", false, ""},
      {"/DIR=\\\\srv\\share\\Q", false, ""},
      {"/COMPONENTS=Delphi50", false, ""},
      {"/COMPONENTS=Delphi30,", false, ""},
      {"/COMPONENTS=none,Delphi30", false, ""},
      {"/verysilent /X", false, "quiet verysilent "},
      {"/X /Silent", false, "quiet silent "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const SwitchParse parse = ParseSetupSwitches(c.line);
    EXPECT_EQ(parse.Valid, c.valid);
    EXPECT_EQ(parse.Error.empty(), c.valid);
    EXPECT_EQ(Describe(parse), c.expected);
    EXPECT_FALSE(MayShowBox(parse, false)) << "a box with no one to answer it";
  }
  // On a desktop: help also under /SILENT, a refusal never when the line looks quiet.
  for (const char* line : {"/? /SILENT", "/x", "/DIR=Q"}) EXPECT_TRUE(MayShowBox(ParseSetupSwitches(line), true)) << line;
  for (const char* line : {"/? /VERYSILENT", "/x /s", "/DIR=Q -qn", "/LOG=a /LOG=b /Silent"})
    EXPECT_FALSE(MayShowBox(ParseSetupSwitches(line), true)) << line;
}

}  // namespace
