#include "CarriedDigests.h"

#include <windows.h>

#include <string>

#include "ActionLog.h"

std::optional<PackageDigests> CarriedPackageDigests() {
  const HRSRC resource = FindResourceA(nullptr, PackageDigestsResourceName, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return std::nullopt;
  const HGLOBAL loaded = LoadResource(nullptr, resource);
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  std::optional<PackageDigests> table;
  if (bytes) table = PackageDigests::Parse(std::string(bytes, SizeofResource(nullptr, resource)));
  if (!table) {
    LogAction("This Setup's package digests cannot be read: no package is opened");
    return PackageDigests();
  }
  return table;
}
