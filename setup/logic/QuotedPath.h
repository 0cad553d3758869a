#pragma once
#include <string>

// A path in double quotes, as every command line that runs a program must carry it: unquoted,
// Windows tries each blank-separated prefix ("C:\Program.exe" first). Paths hold no quotes.
std::string Quoted(const std::string& path);
