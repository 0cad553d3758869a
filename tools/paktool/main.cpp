// paktool: create, list, test and extract the packages of Quillmark Setup.
#include <cstdio>
#include <exception>

#include "Commands.h"
#include "ConsoleText.h"

namespace {

const char* const Usage =
    "usage: paktool create OUT.pak --name TEXT --version TEXT [--extra-text]\n"
    "                      [--allow-long-names] FILE...\n"
    "       paktool list PAK\n"
    "       paktool test PAK\n"
    "       paktool extract PAK DIR\n"
    "       paktool digests OUT PAK...\n"
    "       paktool verify SETUP.EXE DIR\n"
    "In --name and --version, \\r and \\n stand for CR and LF.\n";

int RunCommand(const std::string& command, const std::vector<std::string>& args,
               CommandContext& context) {
  if (command == "create") return CreateCommand(args, context);
  if (command == "list") return ListCommand(args, context);
  if (command == "test") return TestCommand(args, context);
  if (command == "extract") return ExtractCommand(args, context);
  if (command == "digests") return DigestsCommand(args, context);
  if (command == "verify") return VerifyCommand(args, context);
  throw UsageError{command.empty() ? "no command given" : "unknown command " + command};
}

void ReportError(const CommandContext& context, const std::string& text) {
  std::string where;
  if (!context.File.empty()) where += context.File + ": ";
  if (!context.Member.empty()) where += "member " + VisibleText(context.Member) + ": ";
  std::fprintf(stderr, "paktool: %s%s\n", where.c_str(), OneLine(text).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const std::vector<std::string> args(argv + (argc > 1 ? 2 : 1), argv + argc);
  CommandContext context;
  try {
    return RunCommand(command, args, context);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "paktool: %s\n%s", error.Message.c_str(), Usage);
    return 2;
  } catch (const std::exception& error) {
    ReportError(context, error.what());
    return 1;
  }
}
