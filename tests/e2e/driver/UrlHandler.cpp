#include "driver/UrlHandler.h"

#include <windows.h>

namespace e2e {
namespace {

// The shell reads the handler in its own (native) view of the classes.
constexpr REGSAM NativeView = KEY_WOW64_64KEY;

bool ReadCommand(const std::string& key, std::string& command) {
  char text[1024] = "";
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, text,
                   &size) != ERROR_SUCCESS)
    return false;
  command = text;
  return true;
}

void WriteCommand(const std::string& key, const std::string& command) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | NativeView, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>(command.size() + 1));
  RegCloseKey(handle);
}

}  // namespace

UrlHandler::UrlHandler(const std::string& program) {
  const char* const keys[] = {"http\\shell\\open\\command", "https\\shell\\open\\command"};
  for (int i = 0; i < 2; ++i) {
    saved_[i].key = keys[i];
    saved_[i].present = ReadCommand(keys[i], saved_[i].command);
    WriteCommand(keys[i], "\"" + program + "\" \"%1\"");
  }
}

UrlHandler::~UrlHandler() {
  for (const Saved& saved : saved_) {
    if (saved.present) {
      WriteCommand(saved.key, saved.command);
    } else {
      RegDeleteKeyExA(HKEY_CLASSES_ROOT, saved.key.c_str(), NativeView, 0);
    }
  }
}

}  // namespace e2e
