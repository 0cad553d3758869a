#pragma once
#include <windows.h>

// Both programs run elevated and work in folders a user may own. From here on the system itself
// follows no junction that a user without administrator rights made (Windows 11 and later
// Windows 10; looked up at run time, so that older systems still start us, which lack it and
// the structure's name in older headers).
inline void TrustNoUsersJunctions() {
  constexpr int ProcessRedirectionTrustPolicy = 16;  // PROCESS_MITIGATION_POLICY
  struct RedirectionTrustPolicy {
    DWORD Flags;  // bit 0: EnforceRedirectionTrust
  } policy = {1};
  using SetPolicy = BOOL(WINAPI*)(int, PVOID, SIZE_T);
  const auto setPolicy = reinterpret_cast<SetPolicy>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetProcessMitigationPolicy")));
  if (setPolicy != nullptr) setPolicy(ProcessRedirectionTrustPolicy, &policy, sizeof policy);
}
