#include "ActionLog.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "NoFollow.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;

std::string Utf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr);
  return text;
}

}  // namespace

bool OpenActionLog(const std::string& path) {
  // Append rights only: whatever the file held stays as it was. No link on its way is followed.
  logFile = OpenForAppending(path).Release();
  return logFile != INVALID_HANDLE_VALUE;
}

bool ActionLogOpen() { return logFile != INVALID_HANDLE_VALUE; }

void LogAction(const std::string& text) {
  if (!ActionLogOpen()) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u  ", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  // One line per action: a text of several lines (an error box's) keeps to one.
  std::string flat = text;
  for (char& c : flat)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string line = stamp + Utf8(flat) + "\r\n";
  DWORD written = 0;
  WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
