#include "ToolsMenu.h"

#include <stdexcept>
#include <vector>

#include "system/ActionLog.h"
#include "system/ProgramText.h"
#include "system/Registry.h"
#include "archive/CodePage.h"
#include "archive/NoFollowWin32.h"
#include "logic/ToolsMenuList.h"

namespace {

constexpr const char* IniFile = "DELPHI.INI";  // no directory: the Windows directory's file
constexpr const char* IniSection = "Transfer";

class RegistryListStore : public ToolsListStore {
public:
  explicit RegistryListStore(const RegKey& key) : key_(key) {}
  bool Read(const std::string& name, std::string& bytes, uint32_t maxBytes) override {
    std::vector<uint8_t> data;
    if (!key_.ReadBytes(name, data, maxBytes)) return false;
    bytes.assign(data.begin(), data.end());
    return true;
  }
  // Registry writes ignore their results; a failure is in the log (RegKey).
  void WriteText(const std::string& name, const std::string& text) override {
    key_.WriteString(name, text);
  }
  void WriteNumber(const std::string& name, uint32_t value) override { key_.WriteDword(name, value); }
  void Delete(const std::string& name) override { key_.DeleteValue(name); }

private:
  const RegKey& key_;
};

class IniListStore : public ToolsListStore {
public:
  // The profile functions do not tell a missing key from an empty one; both read as "".
  bool Read(const std::string& name, std::string& bytes, uint32_t maxBytes) override {
    std::vector<char> buffer(maxBytes ? maxBytes : 1);
    const DWORD length = GetPrivateProfileStringA(IniSection, name.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), IniFile);
    bytes.assign(buffer.data(), length);
    return true;
  }
  void WriteText(const std::string& name, const std::string& text) override {
    Write(name, text.c_str());
  }
  // An INI file keeps every value as text.
  void WriteNumber(const std::string& name, uint32_t value) override {
    Write(name, std::to_string(value).c_str());
  }
  void Delete(const std::string& name) override { Write(name, nullptr); }

private:
  static void Write(const std::string& name, const char* text) {
    if (!WritePrivateProfileStringA(IniSection, name.c_str(), text, IniFile)) {
      const std::string why = SystemErrorText(GetLastError());
      throw std::runtime_error("Cannot write " + name + " to " + IniFile + " (" + why + ")");
    }
  }
};

ToolsListForm RegistryForm(CountForm countForm) {
  return countForm == CountForm::Number ? ToolsListForm::RegistryNumber
                                        : ToolsListForm::RegistryText;
}

// Delphi 1 runs on 8.3 names. When the short form cannot be had (a file system without
// short names), the long form is the best the entry can hold.
std::string ShortDirectory(const std::string& directory) {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetShortPathNameA(directory.c_str(), buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return directory;
  std::string result(buffer, length);
  if (!EndsWithAscii(result, '\\')) result += '\\';
  return result;
}

// A failure names the list, for the log of whoever catches it.
void AddLoggedEntry(ToolsListStore& store, ToolsListForm form, const ToolsEntry& entry, ToolsEntryAdding adding,
                    const std::string& list) {
  try {
    if (adding == ToolsEntryAdding::EveryTime)
      AddToolsEntry(store, form, entry);
    else if (!AddToolsEntryOnce(store, form, entry)) {
      LogAction("Tools-menu entry already there: " + list);
      return;
    }
  } catch (const std::exception& error) {
    throw std::runtime_error(list + ": " + error.what());
  }
  LogAction("Tools-menu entry added: " + list);
}

void AddRegistryToolsEntry(const std::string& keyPath, CountForm countForm, const std::string& installationDir,
                           ToolsEntryAdding adding) {
  // A list that does not exist yet is created and starts at entry 0.
  const RegKey key = RegKey::Create(HKEY_CURRENT_USER, keyPath, KEY_ALL_ACCESS);
  RegistryListStore store(key);
  AddLoggedEntry(store, RegistryForm(countForm), ProductToolsEntry(installationDir), adding,
                 "HKEY_CURRENT_USER\\" + keyPath);
}

void AddIniToolsEntry(const std::string& installationDir, ToolsEntryAdding adding) {
  IniListStore store;
  const std::string directory = ShortDirectory(installationDir);
  if (!ProfileKeepsText(IniFile, directory)) return;
  AddLoggedEntry(store, ToolsListForm::Ini, ProductToolsEntry(directory), adding, IniFile);
}

void RemoveRegistryToolsEntry(const std::string& keyPath, CountForm countForm) {
  const RegKey key = RegKey::Open(HKEY_CURRENT_USER, keyPath, KEY_ALL_ACCESS);
  if (!key) return;
  RegistryListStore store(key);
  if (RemoveProductToolsEntry(store, RegistryForm(countForm)))
    LogAction("Tools-menu entry removed: HKEY_CURRENT_USER\\" + keyPath);
}

void RemoveIniToolsEntry() {
  if (!ProfileKeepsText(IniFile, "")) return;
  IniListStore store;
  if (RemoveProductToolsEntry(store, ToolsListForm::Ini))
    LogAction(std::string("Tools-menu entry removed: ") + IniFile);
}

// Each list by itself: one that is absent or unreadable must not keep the others. It is only
// said in the log.
template <class Removal>
void EachByItself(const std::string& list, Removal&& removal) {
  try {
    removal();
  } catch (const std::exception& error) {
    LogAction("Tools-menu entry not removed: " + list + " (" + error.what() + ")");
  }
}

}  // namespace

void AddToolsMenuEntries(const std::array<bool, IdeOptionCount>& chosen, const std::string& installationDir,
                         ToolsEntryAdding adding) {
  for (int i = 0; i < IdeOptionCount; ++i) {
    if (!chosen[i]) continue;
    const IdeOption& option = IdeOptions[i];
    if (option.ToolsKey)
      AddRegistryToolsEntry(option.ToolsKey, option.ToolsCountForm, installationDir, adding);
    else
      AddIniToolsEntry(installationDir, adding);
  }
}

void RemoveToolsMenuEntries() {
  EachByItself(IniFile, [] { RemoveIniToolsEntry(); });
  for (const IdeOption& option : IdeOptions)
    if (option.ToolsKey != nullptr)
      EachByItself(std::string("HKEY_CURRENT_USER\\") + option.ToolsKey,
                   [&] { RemoveRegistryToolsEntry(option.ToolsKey, option.ToolsCountForm); });
}
