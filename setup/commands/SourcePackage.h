#pragma once
#include <string>

#include "archive/ByteFile.h"
#include "archive/PackageDigests.h"

// A package beside Setup, opened once for the whole run and shared for reading only, so that no
// one can write, rename or replace it while Setup holds it. Start-up's reading, the scan of an
// option, the files-in-use check and the extraction all read through this one file: a check at
// one open by name would prove nothing about the next.
struct SourcePackage {
  std::string Name;  // "Quillmk.pak"
  ByteFile File;     // open while the package is usable
  std::string Why;   // why it is not open: the error its extraction raises
  bool Refused = false;  // open once, but not the package this Setup pins

  // The open package, or the error that says why there is none.
  ByteFile& Opened();
};

// Opens sourceDir + package.Name level by level from its root, following no link on the way
// (a package behind one is refused as unopenable). With pins (the distribution's Setup), a package the table does
// not name is never opened, and one whose size or SHA-256 differs from the table, read through
// the same handle, is refused before a byte of it is parsed. False when it is missing, unnamed or
// refused; Why then says which.
bool OpenSourcePackage(SourcePackage& package, const std::string& sourceDir, const PackageDigests* pins);
