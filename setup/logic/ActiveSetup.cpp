#include "ActiveSetup.h"

#include <cctype>

#include "ProductNames.h"
#include "UninstallPlan.h"

std::string ActiveSetupVersion(const std::string& packageVersion) {
  std::string version;
  int numbers = 0;
  for (size_t i = 0; i < packageVersion.size() && numbers < 4;) {
    if (!std::isdigit(static_cast<unsigned char>(packageVersion[i]))) {
      ++i;
      continue;
    }
    unsigned long value = 0;
    for (; i < packageVersion.size() && std::isdigit(static_cast<unsigned char>(packageVersion[i])); ++i)
      if (value <= 65535) value = value * 10 + static_cast<unsigned long>(packageVersion[i] - '0');
    version += (numbers++ ? "," : "") + std::to_string(value > 65535 ? 65535 : value);
  }
  return numbers ? version : "0";
}

std::optional<ActiveSetupComponent> ActiveSetupFor(const std::string& setupPath, const std::string& systemDir,
                                                   const std::string& packageVersion) {
  if (setupPath.find_first_of("%\"") != std::string::npos || systemDir.find_first_of("%\"") != std::string::npos)
    return std::nullopt;
  // cmd drops the outer quotes of what follows /c: set's value ends before "&&".
  const std::string command = "\"" + WithTrailingBackslash(systemDir) + "cmd.exe\" /d /c \"set __COMPAT_LAYER=RunAsInvoker&& \"" +
                              setupPath + "\" " + UserSetupSwitch + "\"";
  return ActiveSetupComponent{ProductName, command, ActiveSetupVersion(packageVersion)};
}
