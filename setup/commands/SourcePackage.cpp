#include "SourcePackage.h"

#include "archive/Package.h"
#include "system/NoFollow.h"

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
  // Level by level from the folder's root, no link followed: the folder beside a download may
  // be a user's. Shared for reading only.
  std::string why;
  OwnedHandle file = OpenPlainFile(path, GENERIC_READ, FILE_SHARE_READ, &why);
  if (!file) {
    package.Why = EFileError("Cannot open file", path, why).what();
    return false;
  }
  package.File.Adopt(file.Release(), path);
  bool matches = true;
  try {
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
