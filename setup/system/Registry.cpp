#include "Registry.h"

#include "ActionLog.h"
#include "ProgramText.h"

namespace {
constexpr REGSAM View = KEY_WOW64_32KEY;
}

std::string RootKeyName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  return "HKEY_USERS";
}

RegKey::~RegKey() { Close(); }

RegKey::RegKey(RegKey&& other) noexcept : key_(other.key_), name_(std::move(other.name_)) { other.key_ = nullptr; }

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    name_ = std::move(other.name_);
    other.key_ = nullptr;
  }
  return *this;
}

RegKey RegKey::Open(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, access | View, &key) != ERROR_SUCCESS) return RegKey();
  return RegKey(key, RootKeyName(root) + "\\" + path);
}

RegKey RegKey::Create(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access | View,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return RegKey();
  return RegKey(key, RootKeyName(root) + "\\" + path);
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

bool RegKey::WriteValue(const std::string& name, DWORD type, const void* data, DWORD size) const {
  const bool written = RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  if (written) LogAction("Registry value written: " + name_ + "\\" + (name.empty() ? "(Default)" : name));
  return written;
}

bool RegKey::WriteBinary(const std::string& name, const void* data, DWORD size) const {
  return WriteValue(name, REG_BINARY, data, size);
}

bool RegKey::WriteDword(const std::string& name, uint32_t value) const {
  const DWORD data = value;
  return WriteValue(name, REG_DWORD, &data, sizeof data);
}

bool RegKey::WriteString(const std::string& name, const std::string& text) const {
  return WriteValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool RegKey::DeleteValue(const std::string& name) const {
  const bool deleted = RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
  if (deleted) LogAction("Registry value deleted: " + name_ + "\\" + name);
  return deleted;
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

bool ReadRecordText(const RegKey& key, const std::string& name, std::string& text, size_t maxLength) {
  std::vector<uint8_t> bytes;
  if (!key.ReadBytes(name, bytes, RecordTextBytes)) return false;
  text = FromEarlierRecord(DecodeRecordText(bytes, maxLength));
  return true;
}
