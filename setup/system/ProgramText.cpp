#include "ProgramText.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "ActionLog.h"
#include "archive/ByteFile.h"
#include "archive/CodePage.h"

namespace {

std::wstring FromCodePage(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// The code page of the system's locale, which an earlier Setup (and every program without our
// declaration) runs in: GetACP answers 65001 in this program.
UINT SystemCodePage() {
  char number[8] = "";
  GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number);
  const UINT codePage = static_cast<UINT>(std::strtoul(number, nullptr, 10));
  return codePage ? codePage : 1252;
}

bool IsAscii(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::optional<std::string> ProgramText(const std::wstring& text) {
  if (text.empty()) return std::string();
  const bool utf8 = ProgramCodePage().IsUtf8();
  // UTF-8 takes every character (a lone surrogate aside); an old code page substitutes "?" for
  // what it lacks, and says so, unless asked for no best fit ("Ÿ" would become "Y").
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* const lossyOut = utf8 ? nullptr : &lossy;
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, lossyOut);
  if (length <= 0 || lossy) return std::nullopt;
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), size, result.data(), length, nullptr, lossyOut);
  if (lossy) return std::nullopt;
  return result;
}

std::string Utf8Text(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

std::string FromEarlierRecord(const std::string& text) {
  if (!ProgramCodePage().IsUtf8() || ProgramCodePage().IsWhole(text)) return text;
  return Utf8Text(FromCodePage(SystemCodePage(), text));
}

bool ProfileKeepsText(const std::string& iniFile, const std::string& newText) {
  if (!ProgramCodePage().IsUtf8()) return true;
  char windows[MAX_PATH] = "";
  const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  std::string content;
  ByteFile file;
  if (length > 0 && length < sizeof windows && file.TryOpen(std::string(windows, length) + "\\" + iniFile, ByteFile::Mode::Read)) {
    content.resize(static_cast<size_t>(file.Size()));
    content.resize(file.Read(content.data(), static_cast<uint32_t>(content.size())));
  }
  if (!ProgramCodePage().IsWhole(content)) {
    LogAction(iniFile + " left unchanged: it holds text in the system's code page, which this program "
              "would rewrite as UTF-8");
    return false;
  }
  if (!IsAscii(newText)) {
    LogAction(iniFile + " left unchanged: the 16-bit Delphi reads it in the system's code page, and " + newText +
              " is not ASCII");
    return false;
  }
  return true;
}
