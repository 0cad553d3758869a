#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "IdeOptions.h"

// The shortcut folders in the window's order: Desktop, Start Menu, Programs.
constexpr int ShortcutPlaceCount = 3;

// Whose share a run installs or removes: /ALLUSERS, /CURRENTUSER, or neither.
enum class InstallScope { Unstated, AllUsers, CurrentUser };

// What an unattended run does with programs that hold files it replaces or deletes.
struct ApplicationClosing {
  bool Close = false;    // /CLOSEAPPLICATIONS: asked to close, as at shutdown
  bool Force = false;    // /FORCECLOSEAPPLICATIONS: ended when they do not close in time
  bool Restart = true;   // /RESTARTAPPLICATIONS, the default; /NORESTARTAPPLICATIONS leaves them closed
};

// The switches of an unattended run. Without any of them Setup is the window it always was.
struct SetupSwitches {
  bool Silent = false;      // a small progress window, no questions and no boxes
  bool VerySilent = false;  // nothing shown at all
  bool Uninstall = false;
  bool Help = false;        // /? or /HELP
  std::optional<std::string> Dir;
  // The log file; "" (/LOG alone) for a new file in the temporary directory.
  std::optional<std::string> Log;
  // The IDE options to tick, in IdeOptions order; empty when start-up's ticks stay.
  std::optional<std::array<bool, IdeOptionCount>> Components;
  // The shortcuts to make (/SHORTCUTS, /NOICONS); empty when the window's ticks stay.
  std::optional<std::array<bool, ShortcutPlaceCount>> Shortcuts;
  // Switches that deployment tools add out of habit and that mean nothing here, for the log.
  std::vector<std::string> Ignored;
  ApplicationClosing Closing;
  InstallScope Scope = InstallScope::Unstated;
  // /RESTARTEXITCODE=n: the code a run that needed a restart would end with; Setup needs none.
  std::optional<uint32_t> RestartExitCode;
  // /USERSETUP: the user's own share of a machine-wide installation (Active Setup runs it at
  // logon), without administrator rights. It stands alone but for /LOG and the quiet switches.
  bool UserSetup = false;

  // No page is offered and every answer is taken. The other switches alone preset the window.
  bool Unattended() const { return Silent || VerySilent || UserSetup; }
};

struct SwitchParse {
  bool Valid = false;
  SetupSwitches Switches;
  std::string Error;  // why the line was refused, for the help box
  // A refused line's Switches hold only Silent, VerySilent and the first /LOG's file, so that
  // the refusal can still be logged.
  // Whether any item looks like a request for quiet (/SILENT, /VERYSILENT, /S, /Q, /QN, /QUIET
  // with / or -, any case): whoever wrote the line expects no box, even a refusal.
  bool SilentLooking = false;
};

// Reads the arguments after the program's name. Switch names are case-insensitive and each
// may appear once; a value holding blanks may be quoted, in whole or from the "=" on.
// Anything else (an unknown switch, a repeat, a bare word, a missing or stray value, an
// option key that does not exist, a pair that contradicts itself, a /DIR that is not a full
// local path, or holds "/" or "%") refuses the whole line.
SwitchParse ParseSetupSwitches(const std::string& arguments);

// The text of the help box: every switch with a line on what it does.
extern const char* const SwitchHelpText;

// Whether a box (help or refusal) may be shown: only where someone can answer it, on an
// interactive desktop, and never to a line that asked for quiet.
bool MayShowBox(const SwitchParse& parse, bool interactiveDesktop);
