#pragma once
#include <string>
#include <vector>

// What a failing command was working on, for its one-line error.
struct CommandContext {
  std::string File;
  std::string Member;
};

// Each command returns the exit status (0: success) or raises an error that main reports
// with the context. Arguments are those after the command's name.
int CreateCommand(const std::vector<std::string>& args, CommandContext& context);
int ListCommand(const std::vector<std::string>& args, CommandContext& context);
int TestCommand(const std::vector<std::string>& args, CommandContext& context);
int ExtractCommand(const std::vector<std::string>& args, CommandContext& context);
int DigestsCommand(const std::vector<std::string>& args, CommandContext& context);
int VerifyCommand(const std::vector<std::string>& args, CommandContext& context);

// A wrong command line: main prints the message and the usage.
struct UsageError {
  std::string Message;
};
