#include "Rights.h"

#include <windows.h>

namespace {

enum class Answer { Yes, No, Unknown };

Answer Elevation() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return Answer::Unknown;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  const bool read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) != FALSE;
  CloseHandle(token);
  return !read ? Answer::Unknown : elevation.TokenIsElevated ? Answer::Yes : Answer::No;
}

Answer LocalSystem() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return Answer::Unknown;
  BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  const bool read = GetTokenInformation(token, TokenUser, user, sizeof user, &size) != FALSE;
  CloseHandle(token);
  if (!read) return Answer::Unknown;
  return IsWellKnownSid(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, WinLocalSystemSid) ? Answer::Yes : Answer::No;
}

}  // namespace

bool ProcessElevated() { return Elevation() == Answer::Yes; }

bool ProcessIsLocalSystem() { return LocalSystem() == Answer::Yes; }

bool HoldsAdministratorRights() {
  const Answer elevated = Elevation();
  return elevated != Answer::No || LocalSystem() != Answer::No;
}
