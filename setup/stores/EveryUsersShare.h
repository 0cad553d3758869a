#pragma once
#include <string>

// The Active Setup component of a machine-wide installation, below HKEY_LOCAL_MACHINE: at each
// user's next logon Windows runs the installed Setup.exe /USERSETUP as that user, once for each
// version, which adds the user's Tools-menu entries. Written, read and removed here only.

// Registers (or refreshes) the component for the installed Setup.exe, with the version of the
// package installed. A path that the command cannot carry is logged and left unregistered.
void RegisterEveryUsersShare(const std::string& installedSetup, const std::string& packageVersion);

// Whether an installation registered the component: it was made for everyone.
bool EveryUsersShareRegistered();

// Removes the component, so that no user's logon runs the uninstalled Setup.exe.
void RemoveEveryUsersShare();
