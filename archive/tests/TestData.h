#pragma once
#include <cstdint>
#include <random>
#include <vector>

// Incompressible bytes, the same for the same seed on every machine.
inline std::vector<uint8_t> RandomData(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> data(size);
  for (uint8_t& byte : data) byte = static_cast<uint8_t>(random());
  return data;
}
