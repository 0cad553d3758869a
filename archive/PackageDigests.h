#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Sha256.h"

class ByteFile;

// The size and SHA-256 of each package of a distribution, as the distribution's Setup.exe
// carries them inside its signature. CRC-32 finds damage, not tampering: anyone can compute it
// again for a package of their own. A digest inside the signed program cannot be changed
// without breaking the signature.
struct PackageDigest {
  std::string Name;  // the package's file name, "Quillmk.pak"
  int64_t Size = 0;
  Sha256::Digest Digest{};
};

// The name of the raw-data resource of Setup.exe that holds the table.
constexpr char PackageDigestsResourceName[] = "PACKAGEDIGESTS";

// The table's text: one line a package, "<64 hex digits> <size> <name>\n", the name last, so
// that it may hold any character but a line end.
class PackageDigests {
public:
  // Nothing when the text is not such a table, or names a package twice (in any ASCII case).
  static std::optional<PackageDigests> Parse(const std::string& text);

  void Add(PackageDigest digest) { entries_.push_back(std::move(digest)); }
  std::string Text() const;
  // The entry of a package name, compared without ASCII case as Windows compares file names.
  const PackageDigest* Find(const std::string& name) const;
  const std::vector<PackageDigest>& Entries() const { return entries_; }

private:
  std::vector<PackageDigest> entries_;
};

// The size and SHA-256 of an open file, read through it from its start; the file is left at
// its start again. Raises EFileError when it cannot be read.
PackageDigest DigestOfFile(ByteFile& file, const std::string& name);

// Whether an open package is the one the table pins: its size and digest, read through the
// same handle that every later reading uses.
bool MatchesDigest(ByteFile& file, const PackageDigest& pinned);

// What Setup says of a package whose size or digest differs from its table.
std::string NotPinnedErrorText(const std::string& packageName);
