#include "SearchPath.h"

#include "archive/AsciiCase.h"

std::optional<std::string> Delphi1LibraryDir(const std::string& searchPath) {
  const std::string upper = AsciiUpper(searchPath);

  auto elementStart = [&](size_t before) {
    const size_t semicolon = before == 0 ? std::string::npos : searchPath.rfind(';', before - 1);
    return semicolon == std::string::npos ? 0 : semicolon + 1;
  };

  const size_t inside = upper.find("\\LIB;");
  if (inside != std::string::npos) {
    const size_t start = elementStart(inside);
    return searchPath.substr(start, inside + 4 - start);
  }
  const size_t last = upper.find("\\LIB");
  if (last != std::string::npos && last + 4 == upper.size()) {
    const size_t start = elementStart(last);
    return searchPath.substr(start);
  }
  return std::nullopt;
}
