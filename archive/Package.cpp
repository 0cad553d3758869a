#include "Package.h"

#include <cstring>

#include "ByteFile.h"

namespace {

const char Magic[5] = {'P', 'W', 'P', 'A', 'K'};
const int ReservedSize = 2;
const int FileTimeSize = 4;
const int TrailingFieldsSize = 16;  // DataOffset, PackedSize, DataCrc, PackedCrc
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

void SkipShortText(ByteFile& file) { file.Skip(file.ReadByte()); }

// Sums with the wrap of the stored signed 32-bit fields, never undefined behaviour.
int32_t AddWrapping(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// A member whose name is no plain file name makes the package as corrupt as a damaged table.
void ReadPlainMemberName(ByteFile& file, const std::string& packageName) {
  const std::string name = ReadShortText(file);
  if (!IsPlainFileName(name)) throw EPackageError(NotPlainNameErrorText(packageName, name));
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

}  // namespace

void ScanPackageTable(ByteFile& file, PackageInfo& info) {
  info.HasExtraText = file.ReadByte() != 0;
  info.TablePos = static_cast<int32_t>(file.Position());
  const int32_t entryCount = file.ReadInt32();
  const std::string packageName = FileNameOf(file.Path());
  for (int32_t i = 0; i < entryCount; ++i) {
    ReadPlainMemberName(file, packageName);
    if (info.HasExtraText) SkipShortText(file);
    file.Skip(FileTimeSize);
    info.TotalSize = AddWrapping(info.TotalSize, file.ReadInt32());
    file.Skip(TrailingFieldsSize);
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

void CheckMemberNames(ByteFile& file, const PackageInfo& info, const std::string& packageName) {
  file.Seek(info.TablePos);
  const int32_t entryCount = file.ReadInt32();
  // Each entry holds at least its name's length byte and 24 bytes of fields: a count the rest of
  // the file cannot hold is a damaged table, not a reason to read on.
  if (entryCount > 0 && (file.Size() - file.Position()) / (1 + FileTimeSize + 4 + TrailingFieldsSize) < entryCount)
    throw EPackageError("PAK file corrupt");
  for (int32_t i = 0; i < entryCount; ++i) {
    ReadPlainMemberName(file, packageName);
    if (info.HasExtraText) SkipShortText(file);
    file.Skip(FileTimeSize + 4 + TrailingFieldsSize);
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
  header.VersionText = ReadHeaderText(file, TextBufferSize);  // cut to what the record can hold
  return header;
}

bool ScanPackageFile(const std::string& path, PackageInfo& info) {
  try {
    ByteFile file;
    file.Open(path, ByteFile::Mode::Read);
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
  directory.HasExtraText = file.ReadByte() != 0;
  directory.TablePos = static_cast<int32_t>(file.Position());
  const int32_t entryCount = file.ReadInt32();
  for (int32_t i = 0; i < entryCount; ++i) {
    PackageMember member;
    member.Name = ReadShortText(file);
    if (directory.HasExtraText) member.ExtraText = ReadShortText(file);
    member.FileTime = static_cast<uint32_t>(file.ReadInt32());
    member.UnpackedSize = file.ReadInt32();
    member.DataOffset = file.ReadInt32();
    member.PackedSize = file.ReadInt32();
    member.DataCrc = static_cast<uint32_t>(file.ReadInt32());
    member.PackedCrc = static_cast<uint32_t>(file.ReadInt32());
    directory.Members.push_back(member);
  }
  return directory;
}
