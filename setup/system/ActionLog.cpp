#include "ActionLog.h"

#include <windows.h>

#include <cstdio>

#include "ProgramText.h"
#include "archive/CodePage.h"

#include "NoFollow.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;

// Texts in UTF-8 pass as they are; those of an old code page are converted from it.
std::string Utf8(const std::string& text) {
  if (ProgramCodePage().IsUtf8() && ProgramCodePage().IsWhole(text)) return text;
  return Utf8Text(WideText(text));
}

}  // namespace

bool OpenActionLog(const std::string& path) {
  // Append rights only: whatever the file held stays as it was. No link on its way is followed.
  logFile = OpenForAppending(path).Release();
  return logFile != INVALID_HANDLE_VALUE;
}

bool ActionLogOpen() { return logFile != INVALID_HANDLE_VALUE; }

void LogAction(const std::string& text, LogText encoding) {
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
  const std::string line = stamp + (encoding == LogText::Utf8 ? flat : Utf8(flat)) + "\r\n";
  DWORD written = 0;
  WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
