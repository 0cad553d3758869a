#include "Registry.h"

namespace {
constexpr REGSAM View = KEY_WOW64_32KEY;
}

RegKey::~RegKey() { Close(); }

RegKey::RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

RegKey RegKey::Open(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, access | View, &key) != ERROR_SUCCESS) return RegKey();
  return RegKey(key);
}

RegKey RegKey::Create(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access | View,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return RegKey();
  return RegKey(key);
}

void RegKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool RegKey::ReadBytes(const std::string& name, std::vector<uint8_t>& data, DWORD maxBytes) const {
  data.assign(maxBytes, 0);
  DWORD size = maxBytes;
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, nullptr,
                             maxBytes ? data.data() : nullptr, &size);
  if (rc != ERROR_SUCCESS) {
    data.clear();
    return false;
  }
  data.resize(size);
  return true;
}

bool RegKey::ReadDword(const std::string& name, uint32_t& value) const {
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&data),
                       &size) != ERROR_SUCCESS ||
      size != sizeof data)
    return false;
  value = data;
  return true;
}

bool RegKey::ReadString(const std::string& name, std::string& text, DWORD maxBytes) const {
  std::vector<uint8_t> data;
  if (!ReadBytes(name, data, maxBytes)) return false;
  size_t length = 0;
  while (length < data.size() && data[length] != 0) ++length;
  text.assign(reinterpret_cast<const char*>(data.data()), length);
  return true;
}

bool RegKey::WriteBinary(const std::string& name, const void* data, DWORD size) const {
  return RegSetValueExA(key_, name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

bool RegKey::WriteDword(const std::string& name, uint32_t value) const {
  DWORD data = value;
  return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof data) == ERROR_SUCCESS;
}

bool RegKey::WriteString(const std::string& name, const std::string& text) const {
  return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name) const {
  return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY parent, const std::string& subkey) {
  RegKey key = RegKey::Open(parent, subkey, KEY_READ | KEY_WRITE);
  if (!key) return false;
  // Collect the names first: deleting while enumerating shifts the indices.
  std::vector<std::string> children;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key.Handle(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    children.emplace_back(name, length);
  }
  for (const std::string& child : children) DeleteKeyTree(key.Handle(), child);
  key.Close();
  return RegDeleteKeyExA(parent, subkey.c_str(), View, 0) == ERROR_SUCCESS;
}
