#include "Account.h"

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <optional>
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

// "DOMAIN\name" of a SID as the system spells the account, in buffers as large as it asks
// for (a name of 256 characters takes up to 768 bytes in UTF-8); nothing when it cannot say.
std::optional<std::string> AccountName(PSID sid) {
  std::vector<char> name(256), domain(256);
  for (int attempt = 0; sid != nullptr && attempt < 2; ++attempt) {
    DWORD nameSize = static_cast<DWORD>(name.size()), domainSize = static_cast<DWORD>(domain.size());
    SID_NAME_USE use;
    if (LookupAccountSidA(nullptr, sid, name.data(), &nameSize, domain.data(), &domainSize, &use))
      return domainSize > 0 ? std::string(domain.data()) + "\\" + name.data() : std::string(name.data());
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    name.resize(std::max<size_t>(name.size(), nameSize));
    domain.resize(std::max<size_t>(domain.size(), domainSize));
  }
  return std::nullopt;
}

}  // namespace

AccountKind ProcessAccountKind() {
  return ProcessIsLocalSystem() ? AccountKind::LocalSystem : AccountKind::Person;
}

std::string ProcessAccountName() {
  std::vector<BYTE> bytes = TokenUserBytes();
  return AccountName(UserSid(bytes)).value_or("unknown");
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

std::string AccountNameOf(const std::string& sid) {
  PSID binary = nullptr;
  if (!ConvertStringSidToSidA(sid.c_str(), &binary)) return "an account Setup cannot name";
  const std::string text = AccountName(binary).value_or(sid);
  LocalFree(binary);
  return text;
}
