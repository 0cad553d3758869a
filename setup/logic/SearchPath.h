#pragma once
#include <optional>
#include <string>

// Delphi 1's library directory from the SearchPath of DELPHI.INI: the element that ends in
// "\LIB" (any letter case), as written. Only the first "\LIB;" counts, or else a first
// "\LIB" that ends the text.
std::optional<std::string> Delphi1LibraryDir(const std::string& searchPath);
