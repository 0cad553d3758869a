#pragma once
// Record lists as the registry holds them, for the tests of what reads and keeps them.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "UninstallPlan.h"

// Raw record bytes as the record holds them: one 16-byte slot per name.
inline std::vector<uint8_t> Slots(const std::vector<std::string>& names) {
  std::vector<uint8_t> bytes;
  for (const std::string& name : names) {
    std::vector<uint8_t> slot(16, 0);
    slot[0] = static_cast<uint8_t>(name.size());
    std::copy(name.begin(), name.end(), slot.begin() + 1);
    bytes.insert(bytes.end(), slot.begin(), slot.end());
  }
  return bytes;
}

inline FileList List(const std::vector<std::string>& names) {
  const std::vector<uint8_t> bytes = Slots(names);
  return ListFromRecord(bytes, static_cast<int64_t>(bytes.size()));
}
