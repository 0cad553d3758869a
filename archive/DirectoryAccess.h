#pragma once

// The security of a directory Setup creates for the product, as Program Files has it: owned
// by Administrators; Administrators and SYSTEM full control, Users read and execute, passed on
// to everything inside, and protected, so that nothing is inherited from the parent. Otherwise a directory
// under a drive root would inherit "Authenticated Users: Modify", and any user could replace
// the Setup.exe copy that Add/Remove Programs later starts elevated. SDDL text.
const char* ProtectedDirectorySddl();
