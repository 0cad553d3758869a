#include "Package.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "AsciiCase.h"
#include "ByteFile.h"

namespace {

const char Magic[5] = {'P', 'W', 'P', 'A', 'K'};
const int ReservedSize = 2;
// Start-up holds the application package's texts in 32-character buffers.
const int32_t TextBufferSize = 32;

void CheckMagicAndSkipReserved(ByteFile& file) {
  char magic[sizeof Magic] = {};
  if (file.Read(magic, sizeof magic) != sizeof magic || std::memcmp(magic, Magic, sizeof Magic) != 0)
    throw EPackageError("PAK file corrupt");
  file.Skip(ReservedSize);
}

int32_t ReadTextLength(ByteFile& file) {
  const int32_t length = file.ReadInt32();
  if (length < 0) throw EPackageError("PAK file corrupt");
  return length;
}

// Reads a header text of the given length, keeping at most maxKept bytes and skipping the rest.
std::string ReadKeptText(ByteFile& file, int32_t length, int32_t maxKept) {
  const int32_t kept = length < maxKept ? length : maxKept;
  // A length past the end of file is a truncated package, not a reason to allocate.
  if (kept > file.Size() - file.Position()) file.Skip(kept);
  std::string text(static_cast<size_t>(kept), '\0');
  file.ReadExact(&text[0], static_cast<uint32_t>(kept));
  file.Skip(length - kept);
  return text;
}

std::string ReadHeaderText(ByteFile& file, int32_t maxKept) {
  return ReadKeptText(file, ReadTextLength(file), maxKept);
}

std::string ReadShortText(ByteFile& file) {
  std::string text(file.ReadByte(), '\0');
  file.ReadExact(&text[0], static_cast<uint32_t>(text.size()));
  return text;
}

// Sums with the wrap of the stored signed 32-bit fields, never undefined behaviour.
int32_t AddWrapping(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// The HasExtraText byte and the entry count, with the table's position between them.
// The fields are filled in that order, so a failed read keeps those reached.
int32_t ReadTableStart(ByteFile& file, bool& hasExtraText, int32_t& tablePos) {
  hasExtraText = file.ReadByte() != 0;
  tablePos = static_cast<int32_t>(file.Position());
  return file.ReadInt32();
}

// A member whose name is no plain file name, or names the file of an earlier member in another
// ASCII case, makes the package as corrupt as a damaged table: Windows would write it to
// another file than it says, or let the second silently replace the first.
std::function<void(const std::string&)> MemberNameCheck(const std::string& packageName) {
  auto seen = std::make_shared<std::map<std::string, std::string>>();  // upper-cased name: as stored
  return [packageName, seen](const std::string& name) {
    if (!IsPlainFileName(name)) throw EPackageError(NotPlainNameErrorText(packageName, name));
    const auto [earlier, isNew] = seen->emplace(AsciiUpper(name), name);
    if (!isNew) throw EPackageError(CaseTwinErrorText(packageName, earlier->second, name));
  };
}

// After the last separator; a backslash by characters (a double-byte character may end in 5C),
// a slash by bytes (no second byte is one).
std::string FileNameOf(const std::string& path) {
  return path.substr(std::max(FindLastAscii(path, '\\') + 1, path.find_last_of('/') + 1));
}

}  // namespace

void ReadTableEntry(ByteFile& file, bool hasExtraText, PackageMember& member,
                    const std::function<void(const std::string& name)>& checkName) {
  member.Name = ReadShortText(file);
  if (checkName) checkName(member.Name);
  if (hasExtraText) member.ExtraText = ReadShortText(file);
  member.FileTime = static_cast<uint32_t>(file.ReadInt32());
  member.UnpackedSize = file.ReadInt32();
  member.DataOffset = file.ReadInt32();
  member.PackedSize = file.ReadInt32();
  member.DataCrc = static_cast<uint32_t>(file.ReadInt32());
  member.PackedCrc = static_cast<uint32_t>(file.ReadInt32());
}

void ScanPackageTable(ByteFile& file, PackageInfo& info) {
  const int32_t entryCount = ReadTableStart(file, info.HasExtraText, info.TablePos);
  const auto check = MemberNameCheck(FileNameOf(file.Path()));
  for (int32_t i = 0; i < entryCount; ++i) {
    PackageMember entry;
    try {
      ReadTableEntry(file, info.HasExtraText, entry, check);
    } catch (const EFileError&) {
      // What was filled before a failure is kept: a size read before the end counts.
      info.TotalSize = AddWrapping(info.TotalSize, entry.UnpackedSize);
      throw;
    }
    info.TotalSize = AddWrapping(info.TotalSize, entry.UnpackedSize);
  }
}

namespace {

bool IsQuillmark(std::string name) {
  if (!name.empty() && name.back() == '\n') name.erase(name.size() < 2 ? 0 : name.size() - 2);
  return name == "Quillmark";
}

}  // namespace

std::string PackageCrcErrorText(const std::string& packageName) {
  return "CRC error in PAK file\r" + packageName +
         " is corrupt\rPlease obtain the original QmkSetup.exe file";
}

std::string DestinationCrcErrorText() { return "CRC error in destination file.\rTry installing again"; }

std::string NotPlainNameErrorText(const std::string& packageName, const std::string& memberName) {
  return "PAK file " + packageName + " is corrupt: member name \"" + memberName + "\" is not a plain file name";
}

std::string CaseTwinErrorText(const std::string& packageName, const std::string& first, const std::string& second) {
  return "PAK file " + packageName + " is corrupt: member names \"" + first + "\" and \"" + second +
         "\" name one file";
}

void CheckEntryCount(const ByteFile& file, int32_t entryCount) {
  const int64_t tableBytes = file.Size() - file.Position();
  if (entryCount > 0 && tableBytes / MinimumTableEntrySize < entryCount) throw EPackageError("PAK file corrupt");
}

void CheckMemberNames(ByteFile& file, const PackageInfo& info, const std::string& packageName) {
  file.Seek(info.TablePos);
  const int32_t entryCount = file.ReadInt32();
  CheckEntryCount(file, entryCount);
  const auto check = MemberNameCheck(packageName);
  for (int32_t i = 0; i < entryCount; ++i) {
    PackageMember entry;
    ReadTableEntry(file, info.HasExtraText, entry, check);
  }
  file.Seek(info.TablePos);
}

AppPackageHeader ReadAppPackageHeader(ByteFile& file) {
  AppPackageHeader header;
  CheckMagicAndSkipReserved(file);
  // A name longer than the buffer cannot be "Quillmark" (with or without its CR LF).
  const int32_t nameLength = file.ReadInt32();
  if (nameLength < 0 || nameLength > TextBufferSize) return header;
  if (!IsQuillmark(ReadKeptText(file, nameLength, TextBufferSize))) return header;
  header.ProductIsQuillmark = true;
  // Cut to what the record can hold, at a whole character.
  header.VersionText = CutToBytes(ReadHeaderText(file, TextBufferSize), TextBufferSize);
  return header;
}

bool ScanPackageFile(const std::string& path, PackageInfo& info) {
  ByteFile file;
  return file.TryOpen(path, ByteFile::Mode::Read) && ScanPackage(file, info);
}

bool ScanPackage(ByteFile& file, PackageInfo& info) {
  try {
    file.Seek(0);
    CheckMagicAndSkipReserved(file);
    file.Skip(ReadTextLength(file));
    file.Skip(ReadTextLength(file));
    ScanPackageTable(file, info);
    return true;
  } catch (const EFileError&) {
    return false;
  } catch (const EPackageError&) {
    return false;
  }
}

PackageDirectory ReadPackageDirectory(ByteFile& file) {
  PackageDirectory directory;
  CheckMagicAndSkipReserved(file);
  directory.ProductName = ReadHeaderText(file, INT32_MAX);
  directory.VersionText = ReadHeaderText(file, INT32_MAX);
  const int32_t entryCount = ReadTableStart(file, directory.HasExtraText, directory.TablePos);
  for (int32_t i = 0; i < entryCount; ++i) {
    PackageMember member;
    ReadTableEntry(file, directory.HasExtraText, member);
    directory.Members.push_back(member);
  }
  return directory;
}
