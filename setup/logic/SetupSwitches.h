#pragma once
#include <array>
#include <optional>
#include <string>

#include "IdeOptions.h"

// The switches of an unattended run. Without any of them Setup is the window it always was.
struct SetupSwitches {
  bool Silent = false;      // a small progress window, no questions and no boxes
  bool VerySilent = false;  // nothing shown at all
  bool Uninstall = false;
  bool Help = false;        // /? or /HELP
  std::optional<std::string> Dir;
  std::optional<std::string> Log;
  // The IDE options to tick, in IdeOptions order; empty when start-up's ticks stay.
  std::optional<std::array<bool, IdeOptionCount>> Components;

  // No page is offered and every answer is taken. The other switches alone preset the window.
  bool Unattended() const { return Silent || VerySilent; }
};

struct SwitchParse {
  bool Valid = false;
  SetupSwitches Switches;
  std::string Error;  // why the line was refused, for the help box
  // A refused line's Switches hold only Silent and VerySilent: whether a box may be shown.
};

// Reads the arguments after the program's name. Switch names are case-insensitive and each
// may appear once; a value holding blanks may be quoted, in whole or from the "=" on.
// Anything else (an unknown switch, a repeat, a bare word, a missing or stray value, an
// option key that does not exist) refuses the whole line.
SwitchParse ParseSetupSwitches(const std::string& arguments);

// The text of the help box: every switch with a line on what it does.
extern const char* const SwitchHelpText;
