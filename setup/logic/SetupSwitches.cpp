#include "SetupSwitches.h"

#include "InstallDirectory.h"

#include "archive/AsciiCase.h"
#include "archive/CodePage.h"

#include <algorithm>

const char* const SwitchHelpText =
    "Setup [/SILENT | /VERYSILENT] [/DIR=path] [/COMPONENTS=list] [/SHORTCUTS=list | /NOICONS] "
    "[/ALLUSERS | /CURRENTUSER] [/CLOSEAPPLICATIONS] [/UNINSTALL] [/LOG[=file]]\r\r"
    "/SILENT\tno questions; a small window shows the progress\r"
    "/VERYSILENT\tnothing is shown\r"
    "/DIR=path\tthe installation directory: a full path on a local disk (C:\\...) whose existing "
    "folders only administrators can change; a share or a folder a user made is refused, since "
    "anyone who can change it could replace the uninstaller that runs with administrator rights\r"
    "/COMPONENTS=list\tDelphi10, Delphi20, Delphi30, Delphi40, BCB10, BCB30 separated by commas, "
    "or none\r"
    "/SHORTCUTS=list\tdesktop, startmenu, programs separated by commas, or none\r"
    "/NOICONS\tno shortcuts\r"
    "/ALLUSERS\tshortcuts for all users, and every user's Tools-menu entries at their next logon\r"
    "/CURRENTUSER\tshortcuts and Tools-menu entries for this user only (the default)\r"
    "/CLOSEAPPLICATIONS\tunattended, close the programs that hold files Setup replaces\r"
    "/FORCECLOSEAPPLICATIONS\tthe same, and end those that do not close within 30 s\r"
    "/NORESTARTAPPLICATIONS\tleave them closed (/RESTARTAPPLICATIONS, the default, starts them again)\r"
    "/NOCLOSEAPPLICATIONS\tclose nothing (the default)\r"
    "/UNINSTALL\tuninstall Quillmark\r"
    "/LOG=file\tappend every action to this file; /LOG alone: a new file in the temporary "
    "directory\r"
    "/? or /HELP\tthis list\r"
    "/SUPPRESSMSGBOXES, /NORESTART, /NOCANCEL, /SP-, /RESTARTEXITCODE=n\taccepted; they change "
    "nothing (Setup never needs a restart)\r\r"
    "Exit codes:\r"
    "0\tdone\r"
    "1\tbad command line, the log cannot be opened, or the installation directory is refused\r"
    "2\tthe application package or a named option's package is missing or corrupt\r"
    "3\tdone with errors (see the log)\r"
    "4\tnothing to do: this version is installed, or nothing is installed to remove\r"
    "5\tfiles in use\r"
    "1618\tanother Setup is running\r"
    "1, 2, 4, 5 and 1618 change nothing.";

namespace {

// Items separated by blanks; double quotes keep blanks and are dropped.
std::vector<std::string> SplitItems(const std::string& line) {
  std::vector<std::string> items;
  std::string item;
  bool quoted = false, inItem = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inItem = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inItem) items.push_back(item);
      item.clear();
      inItem = false;
    } else {
      item += c;
      inItem = true;
    }
  }
  if (inItem) items.push_back(item);
  return items;
}

// A comma-separated list of names (any letter case) or "none": which of names it holds. False
// for a name that is not among them.
template <size_t N, class NameOf>
bool ParseNameList(const std::string& list, NameOf nameOf, std::array<bool, N>& chosen) {
  chosen.fill(false);
  if (AsciiUpper(list) == "NONE") return true;
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string name = AsciiUpper(list.substr(start, comma == std::string::npos ? comma : comma - start));
    bool known = false;
    for (size_t i = 0; i < N; ++i)
      if (name == AsciiUpper(nameOf(i))) chosen[i] = known = true;
    if (!known) return false;
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool ParseComponents(const std::string& list, std::array<bool, IdeOptionCount>& ticked) {
  return ParseNameList(list, [](size_t i) { return std::string(IdeOptions[i].Key); }, ticked);
}

// The names of the shortcut places, in ShortcutPlaceCount order.
const char* const ShortcutPlaceNames[ShortcutPlaceCount] = {"DESKTOP", "STARTMENU", "PROGRAMS"};

bool ParseShortcuts(const std::string& list, std::array<bool, ShortcutPlaceCount>& chosen) {
  return ParseNameList(list, [](size_t i) { return std::string(ShortcutPlaceNames[i]); }, chosen);
}

// Every item of quiet's spellings, with / or -, in any case.
bool LooksSilent(const std::string& item) {
  if (item.size() < 2 || (item[0] != '/' && item[0] != '-')) return false;
  const std::string name = AsciiUpper(item.substr(1));
  for (const char* quiet : {"SILENT", "VERYSILENT", "S", "Q", "QN", "QUIET"})
    if (name == quiet) return true;
  return false;
}

// A refused line still says whether boxes may be shown and where its log goes.
SwitchParse Refuse(const std::vector<std::string>& items, const std::string& error) {
  SwitchParse result;
  result.Error = error;
  for (const std::string& item : items) {
    result.Switches.Silent |= AsciiUpper(item) == "/SILENT";
    result.Switches.VerySilent |= AsciiUpper(item) == "/VERYSILENT";
    result.SilentLooking |= LooksSilent(item);
    const size_t equals = item.find('=');
    if (!result.Switches.Log && AsciiUpper(item) == "/LOG") result.Switches.Log = std::string();
    if (!result.Switches.Log && equals != std::string::npos && equals + 1 < item.size() &&
        AsciiUpper(item.substr(0, equals)) == "/LOG")
      result.Switches.Log = item.substr(equals + 1);
  }
  return result;
}

// A decimal exit code: digits only, and within 32 bits.
std::optional<uint32_t> ExitCodeValue(const std::string& text) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const unsigned long long value = std::stoull(text);
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(value);
}

// Pairs that cannot both hold; the first found refuses the line.
const char* const Contradictions[][2] = {
    {"/NOICONS", "/SHORTCUTS"},
    {"/ALLUSERS", "/CURRENTUSER"},
    {"/CLOSEAPPLICATIONS", "/NOCLOSEAPPLICATIONS"},
    {"/FORCECLOSEAPPLICATIONS", "/NOCLOSEAPPLICATIONS"},
    {"/RESTARTAPPLICATIONS", "/NORESTARTAPPLICATIONS"},
    {"/RESTARTAPPLICATIONS", "/NOCLOSEAPPLICATIONS"},
};

// What may stand beside /USERSETUP: it runs as the user at logon and only adds that user's
// entries, so nothing of an installation's choices belongs on its line.
bool GoesWithUserSetup(const std::string& canonical) {
  for (const char* name : {"/USERSETUP", "/LOG", "/SILENT", "/VERYSILENT", "/SUPPRESSMSGBOXES", "/NORESTART",
                           "/NOCANCEL", "/SP-", "/RESTARTEXITCODE"})
    if (canonical == name) return true;
  return false;
}

}  // namespace

SwitchParse ParseSetupSwitches(const std::string& arguments) {
  SwitchParse result;
  SetupSwitches& s = result.Switches;
  std::vector<std::string> seen;
  const std::vector<std::string> items = SplitItems(arguments);
  for (const std::string& item : items) {
    const size_t equals = item.find('=');
    const std::string name = AsciiUpper(item.substr(0, equals));
    const bool hasValue = equals != std::string::npos;
    const std::string value = hasValue ? item.substr(equals + 1) : std::string();
    const std::string canonical = name == "/?" ? "/HELP" : name;
    for (const std::string& earlier : seen)
      if (earlier == canonical) return Refuse(items, "Switch given twice: " + item);
    seen.push_back(canonical);

    bool noRestart = false, noClose = false, allUsers = false, currentUser = false;
    bool* flag = canonical == "/SILENT"                   ? &s.Silent
                 : canonical == "/VERYSILENT"             ? &s.VerySilent
                 : canonical == "/UNINSTALL"              ? &s.Uninstall
                 : canonical == "/HELP"                   ? &s.Help
                 : canonical == "/USERSETUP"              ? &s.UserSetup
                 : canonical == "/CLOSEAPPLICATIONS"      ? &s.Closing.Close
                 : canonical == "/FORCECLOSEAPPLICATIONS" ? &s.Closing.Force
                 : canonical == "/RESTARTAPPLICATIONS"    ? &s.Closing.Restart
                 : canonical == "/NORESTARTAPPLICATIONS"  ? &noRestart
                 : canonical == "/NOCLOSEAPPLICATIONS"    ? &noClose
                 : canonical == "/ALLUSERS"               ? &allUsers
                 : canonical == "/CURRENTUSER"            ? &currentUser
                                                          : nullptr;
    std::optional<std::string>* text = canonical == "/DIR" ? &s.Dir : canonical == "/LOG" ? &s.Log : nullptr;
    if (flag != nullptr) {
      if (hasValue) return Refuse(items, "Switch takes no value: " + item);
      *flag = true;
      if (noRestart) s.Closing.Restart = false;
      if (allUsers) s.Scope = InstallScope::AllUsers;
      if (currentUser) s.Scope = InstallScope::CurrentUser;
    } else if (canonical == "/LOG" && !hasValue) {
      s.Log = std::string();  // a new file in the temporary directory
    } else if (canonical == "/RESTARTEXITCODE") {
      // Setup never asks for a restart, so the code is only taken note of.
      s.RestartExitCode = ExitCodeValue(value);
      if (!s.RestartExitCode) return Refuse(items, "Switch needs a number: " + item);
    } else if (canonical == "/SUPPRESSMSGBOXES" || canonical == "/NORESTART" || canonical == "/NOCANCEL" ||
               canonical == "/SP-") {
      // Setup never restarts Windows, shows no box unattended, and has nothing to cancel then.
      if (hasValue) return Refuse(items, "Switch takes no value: " + item);
      s.Ignored.push_back(canonical);
    } else if (canonical == "/NOICONS") {
      if (hasValue) return Refuse(items, "Switch takes no value: " + item);
      s.Shortcuts = std::array<bool, ShortcutPlaceCount>{};
    } else if (text != nullptr || canonical == "/COMPONENTS" || canonical == "/SHORTCUTS") {
      if (value.empty()) return Refuse(items, "Switch needs a value: " + item);
      if (text == &s.Dir && !ChosenInstallDirectory(value))
        return Refuse(items, "The directory must be a full path on a local drive (C:\\...), without / or %: " +
                                 item);
      if (text != nullptr) {
        *text = value;
      } else if (canonical == "/SHORTCUTS") {
        std::array<bool, ShortcutPlaceCount> chosen{};
        if (!ParseShortcuts(value, chosen)) return Refuse(items, "Unknown shortcut place in: " + item);
        s.Shortcuts = chosen;
      } else {
        std::array<bool, IdeOptionCount> ticked{};
        if (!ParseComponents(value, ticked)) return Refuse(items, "Unknown component in: " + item);
        s.Components = ticked;
      }
    } else {
      return Refuse(items, "Unknown switch: " + item);
    }
  }
  const auto given = [&](const char* name) { return std::find(seen.begin(), seen.end(), name) != seen.end(); };
  for (const auto& pair : Contradictions)
    if (given(pair[0]) && given(pair[1]))
      return Refuse(items, std::string(pair[0]) + " and " + pair[1] + " contradict each other");
  // Forcing is a way of closing.
  if (s.Closing.Force) s.Closing.Close = true;
  if (s.UserSetup)
    for (const std::string& name : seen)
      if (!GoesWithUserSetup(name)) return Refuse(items, "/USERSETUP takes no " + name);
  for (const std::string& item : items) result.SilentLooking |= LooksSilent(item);
  result.Valid = true;
  return result;
}

bool MayShowBox(const SwitchParse& parse, bool interactiveDesktop) {
  if (!interactiveDesktop) return false;
  // Help is asked for: /SILENT still shows it, only /VERYSILENT shows nothing at all.
  return parse.Valid ? !parse.Switches.VerySilent : !parse.SilentLooking;
}
