#include "Rights.h"

#include <windows.h>

namespace {

enum class Answer { Yes, No, Unknown };

// One fact of this process's token, or false when it cannot be read.
bool ReadToken(TOKEN_INFORMATION_CLASS kind, void* fact, DWORD size) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD written = 0;
  const bool read = GetTokenInformation(token, kind, fact, size, &written) != FALSE;
  CloseHandle(token);
  return read;
}

Answer Elevation() {
  TOKEN_ELEVATION elevation = {};
  if (!ReadToken(TokenElevation, &elevation, sizeof elevation)) return Answer::Unknown;
  return elevation.TokenIsElevated ? Answer::Yes : Answer::No;
}

Answer LocalSystem() {
  BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  if (!ReadToken(TokenUser, user, sizeof user)) return Answer::Unknown;
  return IsWellKnownSid(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, WinLocalSystemSid) ? Answer::Yes : Answer::No;
}

}  // namespace

bool ProcessElevated() { return Elevation() == Answer::Yes; }

bool ProcessIsLocalSystem() { return LocalSystem() == Answer::Yes; }

bool HoldsAdministratorRights() {
  return Elevation() != Answer::No || LocalSystem() != Answer::No;
}
