#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PlainFileName.h"

class ByteFile;

// What start-up keeps of a package and what extraction needs.
struct PackageInfo {
  int32_t TablePos = 0;
  int32_t TotalSize = 0;
  bool HasExtraText = false;
};

// The program's own checks on a package ("PAK file corrupt", the CRC errors).
class EPackageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The texts of the two CRC checks of extraction, the package's first.
std::string PackageCrcErrorText(const std::string& packageName);
std::string DestinationCrcErrorText();
// A member name that is no plain file name (PlainFileName.h): the package counts as corrupt.
std::string NotPlainNameErrorText(const std::string& packageName, const std::string& memberName);
// Two member names that differ only in ASCII case: one file, the package counts as corrupt.
std::string CaseTwinErrorText(const std::string& packageName, const std::string& first, const std::string& second);

// Result of reading the application package's header at start-up.
struct AppPackageHeader {
  bool ProductIsQuillmark = false;  // false: "File Quillmk.pak is corrupt", the program ends
  std::string VersionText;          // at most 32 characters
};

// Start-up reading of "Quillmk.pak" from an open file, up to its version text: checks the
// signature (EPackageError "PAK file corrupt") and the product name, and keeps the version.
// Read errors raise EFileError. When the product name is wrong it returns at once with
// ProductIsQuillmark false. The table follows with ScanPackageTable.
AppPackageHeader ReadAppPackageHeader(ByteFile& file);

// One entry of a package table, its fields in the order the table holds them.
struct PackageMember {
  std::string Name;
  std::string ExtraText;  // only in packages with extra texts
  uint32_t FileTime = 0;  // DOS date << 16 | DOS time
  int32_t UnpackedSize = 0;
  int32_t DataOffset = 0;
  int32_t PackedSize = 0;
  uint32_t DataCrc = 0;
  uint32_t PackedCrc = 0;
};

// The smallest table entry: the name's length byte and the six 32-bit fields.
constexpr int32_t MinimumTableEntrySize = 1 + 6 * 4;

// Reads the table entry at the file's position and leaves the file at the next one: the one
// reader of an entry's layout. checkName, when given, sees the name before anything after it
// is read. Read errors raise EFileError, with member keeping the fields read before the end.
void ReadTableEntry(ByteFile& file, bool hasExtraText, PackageMember& member,
                    const std::function<void(const std::string& name)>& checkName = nullptr);

// From the HasExtraText byte on: fills HasExtraText and TablePos and adds every entry's
// UnpackedSize to info.TotalSize (reading the names, never the data). Read errors raise
// EFileError; a member name that is no plain file name, or one that differs from an earlier
// member's only in ASCII case, raises EPackageError.
void ScanPackageTable(ByteFile& file, PackageInfo& info);

// An entry count that the rest of the file (from its position) cannot hold is a damaged
// table: EPackageError "PAK file corrupt", before a corrupt count sizes anything.
void CheckEntryCount(const ByteFile& file, int32_t entryCount);

// Reads every member name of the table at info.TablePos and raises EPackageError at the first
// that is no plain file name or names an earlier member's file in another ASCII case (or at an
// entry count the file cannot hold), so that a package is
// refused whole, before its first file is written. Leaves the file at info.TablePos.
void CheckMemberNames(ByteFile& file, const PackageInfo& info, const std::string& packageName);

// The light scan of a property-editor package, from the start of an open file. Returns false on
// any failure (unreadable, truncated, wrong signature, a member name that is no plain file name
// or names an earlier member's file); info keeps what was filled before the failure.
bool ScanPackage(ByteFile& file, PackageInfo& info);
// The same for a file by its path; false also when it cannot be opened.
bool ScanPackageFile(const std::string& path, PackageInfo& info);

// A whole header and table, for paktool's list and for tests.
struct PackageDirectory {
  std::string ProductName;
  std::string VersionText;
  bool HasExtraText = false;
  int32_t TablePos = 0;
  std::vector<PackageMember> Members;
};
PackageDirectory ReadPackageDirectory(ByteFile& file);  // throws EPackageError / EFileError

