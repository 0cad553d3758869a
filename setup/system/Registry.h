#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>


// A registry key, always in the 32-bit view so that the 64-bit test build sees exactly what
// the 32-bit release sees on 64-bit Windows. Closed when it goes out of scope.
class RegKey {
public:
  RegKey() = default;
  ~RegKey();
  RegKey(RegKey&& other) noexcept;
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // An invalid key (false) when the key cannot be opened or created.
  static RegKey Open(HKEY root, const std::string& path, REGSAM access);
  static RegKey Create(HKEY root, const std::string& path, REGSAM access);

  explicit operator bool() const { return key_ != nullptr; }
  HKEY Handle() const { return key_; }
  void Close();

  // Readers return false when the value is missing or does not fit.
  bool ReadBytes(const std::string& name, std::vector<uint8_t>& data, DWORD maxBytes) const;
  bool ReadDword(const std::string& name, uint32_t& value) const;
  // A text value of at most maxBytes bytes including its zero, cut at the first zero.
  bool ReadString(const std::string& name, std::string& text, DWORD maxBytes) const;

  // Writers report success; most callers ignore it, as the record's writes are unchecked. Each
  // write, and each failure with the system's reason, is a line in the log; so is a key that
  // Create cannot make (the invalid key keeps its name for those lines).
  bool WriteBinary(const std::string& name, const void* data, DWORD size) const;
  bool WriteDword(const std::string& name, uint32_t value) const;
  bool WriteString(const std::string& name, const std::string& text) const;  // REG_SZ, zero counted
  // A value or subkey that is not there is no failure, and no line in the log.
  bool DeleteValue(const std::string& name) const;
  // Deletes a subkey with its whole subtree (the platform refuses to delete a key with subkeys).
  bool DeleteSubtree(const std::string& subkey) const;

private:
  RegKey(HKEY key, std::string name) : key_(key), name_(std::move(name)) {}
  bool WriteValue(const std::string& name, DWORD type, const void* data, DWORD size) const;
  HKEY key_ = nullptr;
  std::string name_;  // the key's full name, for the log
};

// "HKEY_LOCAL_MACHINE" and so on, for the log.
std::string RootKeyName(HKEY root);
