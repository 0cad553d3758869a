#include "Registry.h"

#include "ActionLog.h"
#include "archive/NoFollowWin32.h"

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
  const LONG error = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access | View, nullptr,
                                     &key, nullptr);
  // An invalid key keeps its name, so that the writes it cannot take are named in the log too.
  const std::string name = RootKeyName(root) + "\\" + path;
  if (error != ERROR_SUCCESS) {
    LogAction("Registry key not created: " + name + " (" + SystemErrorText(static_cast<DWORD>(error)) + ")");
    return RegKey(nullptr, name);
  }
  return RegKey(key, name);
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
  const std::string value = name_ + "\\" + (name.empty() ? "(Default)" : name);
  if (!key_) {
    LogAction("Registry value not written: " + value + " (its key is not open)");
    return false;
  }
  const LONG error = RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  if (error != ERROR_SUCCESS) {
    LogAction("Registry value not written: " + value + " (" + SystemErrorText(static_cast<DWORD>(error)) + ")");
    return false;
  }
  LogAction("Registry value written: " + value);
  return true;
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
  if (!key_) return false;
  const LONG error = RegDeleteValueA(key_, name.c_str());
  if (error == ERROR_SUCCESS)
    LogAction("Registry value deleted: " + name_ + "\\" + name);
  else if (error != ERROR_FILE_NOT_FOUND)  // a value that is not there needs no deleting
    LogAction("Registry value not deleted: " + name_ + "\\" + name + " (" + SystemErrorText(static_cast<DWORD>(error)) + ")");
  return error == ERROR_SUCCESS;
}

namespace {
// ERROR_SUCCESS when the key went with its subtree, ERROR_FILE_NOT_FOUND when it was not there.
LONG DeleteTree(HKEY parent, const std::string& subkey) {
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_READ | KEY_WRITE | View, &key);
  if (opened != ERROR_SUCCESS) return opened;
  // Collect the names first: deleting while enumerating shifts the indices.
  std::vector<std::string> children;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(name, length);
  }
  for (const std::string& child : children) DeleteTree(key, child);
  RegCloseKey(key);
  return RegDeleteKeyExA(parent, subkey.c_str(), View, 0);
}
}  // namespace

bool RegKey::DeleteSubtree(const std::string& subkey) const {
  const LONG error = key_ ? DeleteTree(key_, subkey) : ERROR_FILE_NOT_FOUND;
  const std::string name = name_ + "\\" + subkey;
  if (error == ERROR_SUCCESS)
    LogAction("Registry key deleted: " + name);
  else if (error != ERROR_FILE_NOT_FOUND)
    LogAction("Registry key not deleted: " + name + " (" + SystemErrorText(static_cast<DWORD>(error)) + ")");
  return error == ERROR_SUCCESS;
}
