#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A member to pack: its plain file name, data and DOS file time.
struct PackageInput {
  std::string Name;
  std::vector<uint8_t> Data;
  uint32_t FileTime = 0;  // DOS date << 16 | DOS time, local time
  std::string ExtraText;  // written only when the package has extra texts
};

struct PackageOptions {
  std::string ProductName = "Quillmark";
  std::string VersionText;
  bool HasExtraText = false;
};

// CRC-32 of a whole buffer, fed to UpdateCrc in blocks it accepts.
uint32_t CrcOfBytes(const uint8_t* data, size_t size);

// Builds a whole package file image: header, table, then the compressed streams.
// Raises EPackageError for a member name that is not a plain file name.
std::vector<uint8_t> BuildPackage(const PackageOptions& options,
                                  const std::vector<PackageInput>& members);
