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
  return text;
}

TEST(ParseSetupSwitches, Table) {
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
      {"/DIR=\\\\srv\\share\\Q", true, "dir=[\\\\srv\\share\\Q] "},
      // What deployment tools add out of habit: accepted, logged, changing nothing.
      {"/verysilent /SuppressMsgBoxes /NORESTART /nocancel /sp-", true,
       "quiet verysilent ignored=/SUPPRESSMSGBOXES ignored=/NORESTART ignored=/NOCANCEL ignored=/SP- "},
      {"/NOICONS", true, "shortcuts=000 "},
      {"/SHORTCUTS=programs,Desktop", true, "shortcuts=101 "},
      {"/shortcuts=StartMenu", true, "shortcuts=010 "},
      {"/SHORTCUTS=none", true, "shortcuts=000 "},
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
      {"/SILENTX", false, ""},
      {"install", false, ""},
      {"/SILENT=yes", false, ""},
      {"/DIR=", false, ""},
      {"/LOG", false, ""},
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
