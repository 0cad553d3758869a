#include "Account.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace {

// The token's user SID, or an empty buffer.
std::vector<BYTE> TokenUserBytes() {
  std::vector<BYTE> bytes;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return bytes;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  bytes.resize(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, bytes.data(), size, &size)) bytes.clear();
  CloseHandle(token);
  return bytes;
}

PSID UserSid(std::vector<BYTE>& bytes) {
  return bytes.empty() ? nullptr : reinterpret_cast<TOKEN_USER*>(bytes.data())->User.Sid;
}

}  // namespace

AccountKind ProcessAccountKind() {
  std::vector<BYTE> bytes = TokenUserBytes();
  const PSID sid = UserSid(bytes);
  return sid != nullptr && IsWellKnownSid(sid, WinLocalSystemSid) ? AccountKind::LocalSystem : AccountKind::Person;
}

std::string ProcessAccountName() {
  std::vector<BYTE> bytes = TokenUserBytes();
  const PSID sid = UserSid(bytes);
  char name[256], domain[256];
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use;
  if (sid == nullptr || !LookupAccountSidA(nullptr, sid, name, &nameSize, domain, &domainSize, &use)) return "unknown";
  return domainSize > 0 ? std::string(domain) + "\\" + name : std::string(name);
}

bool ProcessElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                        elevation.TokenIsElevated != 0;
  CloseHandle(token);
  return elevated;
}

bool OnInteractiveDesktop() {
  DWORD session = 0;
  if (ProcessIdToSessionId(GetCurrentProcessId(), &session) && session == 0) return false;
  return ProcessAccountKind() != AccountKind::LocalSystem;
}

std::string WindowsVersionText() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const auto rtlGetVersion =
      ntdll ? reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0) return "Windows (version unknown)";
  return "Windows " + std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) + "." +
         std::to_string(version.dwBuildNumber);
}

std::string ProcessUserSid() {
  std::vector<BYTE> bytes = TokenUserBytes();
  const PSID sid = UserSid(bytes);
  char* text = nullptr;
  if (sid == nullptr || !ConvertSidToStringSidA(sid, &text)) return std::string();
  std::string sddl = text;
  LocalFree(text);
  return sddl;
}

bool HoldsAdministratorRights() { return ProcessElevated() || ProcessAccountKind() == AccountKind::LocalSystem; }

std::string AccountNameOf(const std::string& sid) {
  PSID binary = nullptr;
  if (!ConvertStringSidToSidA(sid.c_str(), &binary)) return "an account Setup cannot name";
  char name[256], domain[256];
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use;
  std::string text = sid;
  if (LookupAccountSidA(nullptr, binary, name, &nameSize, domain, &domainSize, &use))
    text = domainSize > 0 ? std::string(domain) + "\\" + name : std::string(name);
  LocalFree(binary);
  return text;
}
