#include "DirectoryAccess.h"

// 0x1200a9: FILE_GENERIC_READ | FILE_GENERIC_EXECUTE. OICI: to files and folders inside.
// O:BA: owned by Administrators even where an administrator's token would make the user the
// owner (UAC off), so that the next Install takes the folder for Setup's own (FolderTrust).
const char* ProtectedDirectorySddl() { return "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"; }
