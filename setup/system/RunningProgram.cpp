#include "RunningProgram.h"

#include <windows.h>

#include <vector>

std::string RunningProgramPath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // cut short: again with room for a long path
  }
}
