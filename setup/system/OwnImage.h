#pragma once
#include <windows.h>

#include <cstdint>

// Setup's own file, opened first thing and held for the whole run without write or delete
// sharing, once proved to be the very file the running image was mapped from. Windows lets a
// user rename a running program's file and put another under its name: the copy that
// Add/Remove Programs later runs elevated, its size and its CRC are all read through this handle,
// never by name.

// Opens and proves the file; a failure is kept and raised by OwnImageFile.
void HoldOwnImage();

// The held file, at no particular position. Raises std::runtime_error saying why when it could
// not be opened or proved.
HANDLE OwnImageFile();

// Its size in bytes; raises as OwnImageFile does.
int64_t OwnImageSize();
