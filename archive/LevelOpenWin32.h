#pragma once
// Opens one level at a time, each relative to the open handle of the folder above it
// (NtCreateFile with a root directory), so that a path a user can influence is never looked up
// by name past its root: no junction, symbolic link or object-manager link on the way is
// followed (FILE_OPEN_REPARSE_POINT protects only a path's last part). Every open asks for
// identification only (SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION), so that a pipe a
// user serves under the name learns who opened it but cannot act as that account, and where
// Windows knows it (10 1709 and later) carries OBJ_DONT_REPARSE. Without the standard
// library: the cleanup helper, which has no runtime, deletes with it too.
#include <windows.h>

// The error when a folder on the way is a junction or symbolic link.
constexpr DWORD ThroughLinkError = ERROR_CANT_RESOLVE_FILENAME;

// name (length UTF-16 characters, one level, no backslash) inside folder. access gets
// SYNCHRONIZE, options FILE_OPEN_REPARSE_POINT and FILE_SYNCHRONOUS_IO_NONALERT; disposition and
// options are NtCreateFile's. A Win32 error code, 0 with *handle on success.
DWORD OpenRelative(HANDLE folder, const wchar_t* name, unsigned length, ACCESS_MASK access, ULONG share,
                   ULONG disposition, ULONG options, PSECURITY_DESCRIPTOR security, HANDLE* handle);

// An existing file or folder by its full path ("C:\..." or "\\server\share\..."): the root is
// opened by path, each folder below it relative to the one above (a plain folder, or the open
// fails with ThroughLinkError), and the last level, the path's own, with access, share and
// options as OpenRelative takes them. A path that is only a root opens the root. A Win32 error
// code, 0 with *handle on success.
DWORD OpenByLevels(const wchar_t* path, ACCESS_MASK access, ULONG share, ULONG options, HANDLE* handle);

// Whether an open file or folder is a junction or symbolic link (a name surrogate). Other
// reparse points (a OneDrive folder's cloud files, deduplicated files) are the thing itself.
bool IsNameSurrogate(HANDLE handle);
