#include "SweeperCommand.h"

#include "UninstallPlan.h"

std::string SweeperFilePath(const std::string& tempDirectory) {
  return WithTrailingBackslash(tempDirectory) + "Sweeper.exe";
}

std::string SweeperCommandLine(const std::string& helper, const std::string& program,
                               const std::string& message, const std::string& caption) {
  const auto quoted = [](const std::string& text) { return '"' + text + '"'; };
  const std::string files = quoted(helper) + ' ' + quoted(program);
  return message.empty() ? files : files + ' ' + quoted(message) + ' ' + quoted(caption);
}
