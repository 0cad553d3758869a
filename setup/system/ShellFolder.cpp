#include "ShellFolder.h"

#include <vector>

#include "ActionLog.h"
#include "ProgramText.h"
#include "archive/CodePage.h"

bool ReadShellFolder(const RegKey& folders, const std::string& name, std::string& path) {
  std::vector<wchar_t> data(MAX_PATH + 1);  // 260 characters and the zero
  DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegQueryValueExW(folders.Handle(), WideText(name).c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return false;
  std::wstring folder(data.data(), size / sizeof(wchar_t));
  folder.resize(folder.find(L'\0') == std::wstring::npos ? folder.size() : folder.find(L'\0'));
  const std::optional<std::string> text = ProgramText(folder);
  if (!text) {
    LogAction("Shortcut skipped: the shell folder \"" + name + "\" is \"" + Utf8Text(folder) +
                  "\", which this system's code page (" + std::to_string(ProgramCodePage().Number()) +
                  ") cannot represent; Windows 10 version 1903 and later can",
              LogText::Utf8);
    return false;
  }
  path = *text;
  return true;
}
