#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256 (FIPS 180-4), portable: the same code checks a package in Setup on any Windows,
// in paktool on Linux, and in the tests. Feed bytes in any blocks, then take the digest once.
class Sha256 {
public:
  using Digest = std::array<uint8_t, 32>;

  Sha256();
  void Update(const void* data, size_t size);
  Digest Final();  // the object is spent afterwards

private:
  void Compress(const uint8_t* block);

  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> pending_{};
  size_t pendingSize_ = 0;
  uint64_t totalBytes_ = 0;
};

// The digest as 64 lower-case hexadecimal digits, as sha256sum prints it.
std::string DigestText(const Sha256::Digest& digest);
