#include "SweeperCommand.h"

#include "ProductNames.h"
#include "QuotedPath.h"
#include "UninstallPlan.h"

std::string SweeperFilePath(const std::string& folder) {
  return WithTrailingBackslash(folder) + SweeperFileName;
}

std::string SweeperCommandLine(const std::string& helper, const std::string& program,
                               const std::string& message, const std::string& caption) {
  const std::string files = Quoted(helper) + ' ' + Quoted(program);
  return message.empty() ? files : files + ' ' + Quoted(message) + ' ' + Quoted(caption);
}
