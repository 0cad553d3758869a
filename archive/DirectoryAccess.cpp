#include "DirectoryAccess.h"

// 0x1200a9: FILE_GENERIC_READ | FILE_GENERIC_EXECUTE. OICI: to files and folders inside.
const char* ProtectedDirectorySddl() { return "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"; }
