#include "SetupSwitches.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* line;
  bool valid;
  const char* expected;  // the switches read back as text, "" when refused
};

// The switches read back in one fixed order, so a row states everything that was understood.
std::string Describe(const SetupSwitches& s) {
  std::string text;
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
  return text;
}

TEST(ParseSetupSwitches, Table) {
  const Case cases[] = {
      {"", true, ""},
      {"  \t ", true, ""},
      {"/silent /VerySilent /UNINSTALL", true, "silent verysilent uninstall "},
      {"/?", true, "help "},
      {"/help", true, "help "},
      {"/DIR=C:\\Q /log=C:\\q.log", true, "dir=[C:\\Q] log=[C:\\q.log] "},
      {"/DIR=\"C:\\Program Files\\Q\" /LOG=x", true, "dir=[C:\\Program Files\\Q] log=[x] "},
      {"\"/DIR=C:\\Program Files\\Q\\\"", true, "dir=[C:\\Program Files\\Q\\] "},
      {"/dir=C:\\a=b", true, "dir=[C:\\a=b] "},
      {"/COMPONENTS=Delphi30,bcb30", true, "components=001001 "},
      {"/COMPONENTS=delphi10,Delphi10", true, "components=100000 "},
      {"/components=NONE", true, "components=000000 "},
      // Refused: repeats (also in another case or spelling), unknown or bare words, values.
      {"/SILENT /silent", false, "silent "},
      {"/? /HELP", false, ""},
      {"/DIR=a /Dir=b", false, ""},
      {"/QUIET", false, ""},
      {"/SILENTX", false, ""},
      {"install", false, ""},
      {"/SILENT=yes", false, ""},
      {"/DIR=", false, ""},
      {"/LOG", false, ""},
      {"/COMPONENTS=Delphi50", false, ""},
      {"/COMPONENTS=Delphi30,", false, ""},
      {"/COMPONENTS=none,Delphi30", false, ""},
      {"/verysilent /X", false, "verysilent "},
      {"/X /Silent", false, "silent "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const SwitchParse parse = ParseSetupSwitches(c.line);
    EXPECT_EQ(parse.Valid, c.valid);
    EXPECT_EQ(parse.Error.empty(), c.valid);
    EXPECT_EQ(Describe(parse.Switches), c.expected);
  }
}

}  // namespace
