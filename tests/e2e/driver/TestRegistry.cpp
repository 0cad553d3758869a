#include "driver/TestRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr REGSAM View = KEY_WOW64_32KEY;

// Opens or creates a key for the duration of one call.
class Key {
public:
  Key(HKEY root, const std::string& path, bool create) {
    const LONG status = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View, nullptr,
                                                 &key_, nullptr)
                               : RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_SET_VALUE | View, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY Handle() const { return key_; }

private:
  HKEY key_ = nullptr;
};

void WriteValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data,
                DWORD size) {
  Key key(root, path, true);
  ASSERT_NE(key.Handle(), nullptr) << "cannot create key " << path;
  ASSERT_EQ(RegSetValueExA(key.Handle(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS)
      << "cannot write " << path << "\\" << name;
}

bool ReadValue(HKEY root, const std::string& path, const std::string& name, DWORD& type, std::vector<uint8_t>& data) {
  Key key(root, path, false);
  DWORD size = 0;
  if (!key.Handle() || RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  data.resize(size);
  return RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}

void AddTreeLines(HKEY root, const std::string& path, const std::string& shown, std::vector<std::string>& lines) {
  Key key(root, path, false);
  if (!key.Handle()) return;
  lines.push_back(shown + "\\");
  char name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key.Handle(), i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    DWORD dataType = 0;
    std::vector<uint8_t> data;
    ReadValue(root, path, name, dataType, data);
    std::string line = shown + "\\" + name + " = " + std::to_string(type) + ":";
    for (uint8_t byte : data) line += " " + std::to_string(byte);
    lines.push_back(line);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key.Handle(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    AddTreeLines(root, path + "\\" + name, shown + "\\" + name, lines);
  }
}

}  // namespace

std::vector<std::string> RegTreeLines(HKEY root, const std::string& path) {
  std::vector<std::string> lines;
  AddTreeLines(root, path, path, lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

const char* const InstallationKey = "Software\\Penwright\\Quillmark\\Installation";

void WriteRegString(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
  WriteValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void WriteRegBinary(HKEY root, const std::string& path, const std::string& name, const std::vector<uint8_t>& data) {
  WriteValue(root, path, name, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
}

void WriteRegDword(HKEY root, const std::string& path, const std::string& name, uint32_t value) {
  const DWORD dword = value;
  WriteValue(root, path, name, REG_DWORD, &dword, sizeof dword);
}

bool ReadRegString(HKEY root, const std::string& path, const std::string& name, std::string& text) {
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!ReadValue(root, path, name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  text.assign(data.begin(), data.end());
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  return true;
}

bool ReadRegBinary(HKEY root, const std::string& path, const std::string& name, std::vector<uint8_t>& data) {
  DWORD type = 0;
  return ReadValue(root, path, name, type, data) && type == REG_BINARY;
}

bool ReadRegDword(HKEY root, const std::string& path, const std::string& name, uint32_t& value) {
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!ReadValue(root, path, name, type, data) || type != REG_DWORD || data.size() != 4) return false;
  value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
  return true;
}

RawValue ReadRawValue(HKEY root, const std::string& path, const std::string& name) {
  RawValue value;
  value.Exists = ReadValue(root, path, name, value.Type, value.Bytes);
  return value;
}

void RestoreRawValue(HKEY root, const std::string& path, const std::string& name, const RawValue& value) {
  if (value.Exists)
    WriteValue(root, path, name, value.Type, value.Bytes.data(), static_cast<DWORD>(value.Bytes.size()));
  else
    DeleteRegValue(root, path, name);
}

bool RegKeyExists(HKEY root, const std::string& path) { return Key(root, path, false).Handle() != nullptr; }

void DeleteRegValue(HKEY root, const std::string& path, const std::string& name) {
  Key key(root, path, false);
  if (key.Handle()) RegDeleteValueA(key.Handle(), name.c_str());
}

void DeleteRegTree(HKEY root, const std::string& path) {
  {
    Key key(root, path, false);
    if (!key.Handle()) return;
    char name[256];
    for (;;) {
      DWORD size = sizeof name;
      if (RegEnumKeyExA(key.Handle(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      const std::string child = path + "\\" + name;
      DeleteRegTree(root, child);
      if (RegKeyExists(root, child)) break;  // could not delete: stop instead of looping
    }
  }
  RegDeleteKeyExA(root, path.c_str(), View, 0);
}

std::vector<uint8_t> LengthPrefixed(const std::string& text) {
  std::vector<uint8_t> bytes(1 + text.size());
  bytes[0] = static_cast<uint8_t>(text.size());
  std::copy(text.begin(), text.end(), bytes.begin() + 1);
  return bytes;
}

void WriteInstallationRecord(const std::string& version, const std::string& installDir) {
  WriteRegBinary(HKEY_LOCAL_MACHINE, InstallationKey, "Version", LengthPrefixed(version));
  WriteRegBinary(HKEY_LOCAL_MACHINE, InstallationKey, "InstallDir", LengthPrefixed(installDir));
}

}  // namespace e2e
