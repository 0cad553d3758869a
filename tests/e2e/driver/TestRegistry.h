#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Registry access for tests, always in the 32-bit view that Setup uses.
namespace e2e {

void WriteRegString(HKEY root, const std::string& path, const std::string& name, const std::string& text);
void WriteRegBinary(HKEY root, const std::string& path, const std::string& name, const std::vector<uint8_t>& data);
void WriteRegDword(HKEY root, const std::string& path, const std::string& name, uint32_t value);

// Readers return false when the key or the value is missing.
bool ReadRegString(HKEY root, const std::string& path, const std::string& name, std::string& text);
bool ReadRegBinary(HKEY root, const std::string& path, const std::string& name, std::vector<uint8_t>& data);
bool ReadRegDword(HKEY root, const std::string& path, const std::string& name, uint32_t& value);
bool RegKeyExists(HKEY root, const std::string& path);

// A value as stored: its type and bytes, or its absence.
struct RawValue {
  bool Exists = false;
  DWORD Type = REG_NONE;
  std::vector<uint8_t> Bytes;
};
RawValue ReadRawValue(HKEY root, const std::string& path, const std::string& name);
// Puts a value back as it was read, or deletes it when it did not exist.
void RestoreRawValue(HKEY root, const std::string& path, const std::string& name, const RawValue& value);

// Every key and value of the tree at path, one sorted line each (empty when the key is
// missing): what a test compares to see that a tree is as it was.
std::vector<std::string> RegTreeLines(HKEY root, const std::string& path);

void DeleteRegValue(HKEY root, const std::string& path, const std::string& name);
void DeleteRegTree(HKEY root, const std::string& path);  // the key and everything below it

// A length byte and the characters, as the installation record stores its texts.
std::vector<uint8_t> LengthPrefixed(const std::string& text);

// The key of the installation record.
extern const char* const InstallationKey;
// A minimal valid installation record: version and directory (which should hold Quillmk.exe).
void WriteInstallationRecord(const std::string& version, const std::string& installDir);

}  // namespace e2e
