#include "SetupSwitches.h"

#include "archive/AsciiCase.h"
#include <vector>

const char* const SwitchHelpText =
    "Setup [/SILENT | /VERYSILENT] [/DIR=path] [/COMPONENTS=list] [/UNINSTALL] [/LOG=file]\r\r"
    "/SILENT\tno questions; a small window shows the progress\r"
    "/VERYSILENT\tnothing is shown\r"
    "/DIR=path\tthe installation directory\r"
    "/COMPONENTS=list\tDelphi10, Delphi20, Delphi30, Delphi40, BCB10, BCB30 separated by commas, "
    "or none\r"
    "/UNINSTALL\tuninstall Quillmark\r"
    "/LOG=file\tappend every action to this file\r"
    "/? or /HELP\tthis list\r\r"
    "Exit codes: 0 done, 1 bad command line, log or installation directory, 2 nothing to do, 3 done with "
    "errors";

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

bool ParseComponents(const std::string& list, std::array<bool, IdeOptionCount>& ticked) {
  ticked.fill(false);
  if (AsciiUpper(list) == "NONE") return true;
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string key = AsciiUpper(list.substr(start, comma == std::string::npos ? comma : comma - start));
    bool known = false;
    for (int i = 0; i < IdeOptionCount; ++i)
      if (key == AsciiUpper(IdeOptions[i].Key)) ticked[i] = known = true;
    if (!known) return false;
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

// A refused line still says whether boxes may be shown: not with either silent switch.
SwitchParse Refuse(const std::vector<std::string>& items, const std::string& error) {
  SwitchParse result;
  result.Error = error;
  for (const std::string& item : items) {
    result.Switches.Silent |= AsciiUpper(item) == "/SILENT";
    result.Switches.VerySilent |= AsciiUpper(item) == "/VERYSILENT";
  }
  return result;
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

    bool* flag = canonical == "/SILENT"       ? &s.Silent
                 : canonical == "/VERYSILENT" ? &s.VerySilent
                 : canonical == "/UNINSTALL"  ? &s.Uninstall
                 : canonical == "/HELP"       ? &s.Help
                                              : nullptr;
    std::optional<std::string>* text = canonical == "/DIR" ? &s.Dir : canonical == "/LOG" ? &s.Log : nullptr;
    if (flag != nullptr) {
      if (hasValue) return Refuse(items, "Switch takes no value: " + item);
      *flag = true;
    } else if (text != nullptr || canonical == "/COMPONENTS") {
      if (value.empty()) return Refuse(items, "Switch needs a value: " + item);
      if (text != nullptr) {
        *text = value;
      } else {
        std::array<bool, IdeOptionCount> ticked{};
        if (!ParseComponents(value, ticked)) return Refuse(items, "Unknown component in: " + item);
        s.Components = ticked;
      }
    } else {
      return Refuse(items, "Unknown switch: " + item);
    }
  }
  result.Valid = true;
  return result;
}

SilentAction SilentActionFor(char startupCase, bool uninstall) {
  if (uninstall)
    return startupCase == 'B' || startupCase == 'C' || startupCase == 'D' ? SilentAction::Uninstall
                                                                            : SilentAction::NothingToDo;
  if (startupCase == 'A') return SilentAction::Install;
  if (startupCase == 'B') return SilentAction::Update;
  return SilentAction::NothingToDo;
}
