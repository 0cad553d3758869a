#pragma once
// What the Install, Update and start-up tests read back: registry values with their types,
// file lists, shortcuts, file times and Tools-menu lists.
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

#include "Driver.h"
#include "Gauge.h"

namespace e2e {

inline std::vector<uint8_t> TextWithZero(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

inline std::vector<uint8_t> DwordBytes(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

inline void ExpectValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                        const std::vector<uint8_t>& bytes) {
  const RawValue value = ReadRawValue(root, path, name);
  EXPECT_TRUE(value.Exists) << path << " " << name;
  EXPECT_EQ(value.Type, type) << path << " " << name;
  EXPECT_EQ(value.Bytes, bytes) << path << " " << name;
}

inline void ExpectText(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
  ExpectValue(root, path, name, REG_SZ, TextWithZero(text));
}

// A file list as the record keeps it, written out slot by slot.
inline std::vector<uint8_t> ListBytes(const std::vector<std::string>& names) {
  std::vector<uint8_t> bytes(16 * names.size(), 0);
  for (size_t slot = 0; slot < names.size(); ++slot) {
    const std::string& name = names[slot];
    const size_t length = name.size() < 15 ? name.size() : 15;
    bytes[16 * slot] = static_cast<uint8_t>(length);
    for (size_t i = 0; i < length; ++i)
      bytes[16 * slot + 1 + i] =
          static_cast<uint8_t>(name[i] >= 'a' && name[i] <= 'z' ? name[i] - 'a' + 'A' : name[i]);
  }
  return bytes;
}

// The last-write time of a file as a DOS date and time in local time.
inline uint32_t DosWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  FILETIME local;
  WORD date = 0, time = 0;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToDosDateTime(&local, &date, &time);
  return static_cast<uint32_t>(date) << 16 | time;
}

struct ShortcutFacts {
  bool Loaded = false;
  std::string Path, WorkingDirectory, Description, IconPath;
  int IconIndex = -1;
  int ShowCmd = -1;
};

inline ShortcutFacts ReadShortcut(const std::string& file) {
  ShortcutFacts facts;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
      facts.Loaded = true;
      char text[MAX_PATH] = {};
      link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
      facts.Path = text;
      link->GetWorkingDirectory(text, MAX_PATH);
      facts.WorkingDirectory = text;
      link->GetDescription(text, MAX_PATH);
      facts.Description = text;
      link->GetIconLocation(text, MAX_PATH, &facts.IconIndex);
      facts.IconPath = text;
      link->GetShowCmd(&facts.ShowCmd);
    }
  }
  if (persist) persist->Release();
  if (link) link->Release();
  CoUninitialize();
  return facts;
}

// Clicks the Install button and waits until the Finished page is the only one, answering
// nothing: a test that expects an error box handles it itself.
inline void WaitForFinished(const WindowDriver& window, DWORD timeoutMs = 60000) {
  EXPECT_TRUE(WaitUntil([&] { return window.Tabs() == std::vector<std::string>{"Finished"}; }, timeoutMs))
      << "the command did not reach the Finished page";
  EXPECT_EQ(window.CurrentTab(), "Finished");
}

// Waits for a message box of the process, reads it and presses OK.
inline MessageBoxContent ConfirmMessageBox(const SetupProcess& process) {
  HWND box = process.WaitForMessageBox();
  EXPECT_NE(box, nullptr) << "no message box appeared";
  if (!box) return MessageBoxContent();
  const MessageBoxContent content = ReadMessageBox(box);
  AnswerMessageBox(box, IDOK);
  return content;
}

inline std::string IniText(const std::string& key) {
  char text[1024] = "";
  GetPrivateProfileStringA("Transfer", key.c_str(), "<missing>", text, sizeof text, "DELPHI.INI");
  return text;
}

inline std::string ShortForm(const std::string& path) {
  char text[MAX_PATH] = "";
  const DWORD length = GetShortPathNameA(path.c_str(), text, sizeof text);
  return length && length < sizeof text ? std::string(text, length) : path;
}

// Every value below a key (32-bit view), as "path\name" -> type and bytes, subkeys included.
inline void ReadKeyTree(HKEY root, const std::string& path, std::map<std::string, std::string>& items) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return;
  char name[256];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name, type = 0, size = sizeof data;
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    items["reg " + path + "\\" + name] = std::to_string(type) + ":" + std::string(data, data + size);
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(name, nameLength);
  }
  RegCloseKey(key);
  for (const std::string& child : children) ReadKeyTree(root, path + "\\" + child, items);
}

// Everything an installation into dir leaves, in one form that two installations compare by:
// the files below dir with their bytes, the record and the shell registration, the shortcuts
// in the given folders, and the Tools-menu lists (registry and DELPHI.INI).
inline std::map<std::string, std::string> ReadInstallation(const std::string& dir,
                                                           const std::vector<std::string>& shortcutFolders) {
  std::map<std::string, std::string> items;
  for (const std::string& file : EntriesBelow(dir)) {
    const std::vector<uint8_t> bytes = ReadFileBytes(dir + file);
    items["file " + file] = file.back() == '\\' ? std::string()
                                                : std::string(bytes.begin(), bytes.end()) + "@" +
                                                      std::to_string(DosWriteTime(dir + file));
  }
  const std::pair<HKEY, const char*> keys[] = {
      {HKEY_LOCAL_MACHINE, "Software\\Penwright"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quillmk.exe"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark"},
      {HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp"},
      {HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject"},
      {HKEY_CURRENT_USER, "Software\\Borland"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Active Setup\\Installed Components\\Penwright.Quillmark"},
  };
  for (const auto& key : keys) ReadKeyTree(key.first, key.second, items);
  for (const std::string& folder : shortcutFolders) {
    const ShortcutFacts link = ReadShortcut(folder + "Quillmark.lnk");
    if (link.Loaded)
      items["link " + folder] = link.Path + "|" + link.WorkingDirectory + "|" + link.Description + "|" +
                                link.IconPath + "|" + std::to_string(link.IconIndex);
  }
  for (const char* name : {"Count", "Title0", "Path0", "WorkingDir0", "Params0"}) items[std::string("ini ") + name] = IniText(name);
  return items;
}

}  // namespace e2e
