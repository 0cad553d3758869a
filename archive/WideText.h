#pragma once
#include <string>

// A text of the program's code page (UTF-8 where Windows honours our declaration) in UTF-16,
// for the calls that take only that. Windows only.
std::wstring WideText(const std::string& text);
