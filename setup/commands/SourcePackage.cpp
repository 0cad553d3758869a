#include "SourcePackage.h"

#include "archive/Package.h"

ByteFile& SourcePackage::Opened() {
  if (File.IsOpen()) return File;
  if (Refused) throw EPackageError(Why);
  throw EFileError(Why);
}

bool OpenSourcePackage(SourcePackage& package, const std::string& sourceDir, const PackageDigests* pins) {
  const std::string path = sourceDir + package.Name;
  const PackageDigest* pinned = pins ? pins->Find(package.Name) : nullptr;
  if (pins && !pinned) {
    package.Why = "Cannot open file \"" + path + "\". This Setup was not built with it";
    return false;
  }
  bool matches = true;
  try {
    package.File.Open(path, ByteFile::Mode::Read);  // shared for reading only
    matches = !pinned || MatchesDigest(package.File, *pinned);
  } catch (const EFileError& error) {
    package.File.Close();
    package.Why = error.what();
    return false;
  }
  if (!matches) {
    package.File.Close();
    package.Why = NotPinnedErrorText(package.Name);
    package.Refused = true;
    return false;
  }
  return true;
}
