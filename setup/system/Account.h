#pragma once
#include <string>

#include "common/Rights.h"  // the elevation check, shared with the window components
#include "logic/AccountPlaces.h"

// Facts about the process's account and the machine, for the decisions of a run and the log.

// LocalSystem (S-1-5-18) or a person, from the process token.
AccountKind ProcessAccountKind();
// "DOMAIN\user" of the process token; "unknown" when it cannot be looked up.
std::string ProcessAccountName();
// The token's user as SDDL writes a SID ("S-1-5-21-..."); empty when it cannot be read.
std::string ProcessUserSid();
// "DOMAIN\name" of a SID as SDDL writes it, as the system spells the account; else the SID.
std::string AccountNameOf(const std::string& sid);
// Whether someone may be there to answer a box: not session 0 (services) and not SYSTEM.
bool OnInteractiveDesktop();
// "Windows 10.0.19045" from RtlGetVersion: GetVersionEx answers what the manifest declares.
std::string WindowsVersionText();
