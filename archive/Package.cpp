#include "Package.h"

#include <cstring>

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

void SkipShortText(ByteFile& file) { file.Skip(file.ReadByte()); }

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

}  // namespace

void ReadTableEntry(ByteFile& file, bool hasExtraText, MemberTexts texts, PackageMember& member,
                    const std::function<void(const std::string& name)>& checkName) {
  if (texts == MemberTexts::Skip) {
    SkipShortText(file);
    if (hasExtraText) SkipShortText(file);
  } else {
    member.Name = ReadShortText(file);
    if (checkName) checkName(member.Name);
    if (hasExtraText) member.ExtraText = ReadShortText(file);
  }
  member.FileTime = static_cast<uint32_t>(file.ReadInt32());
  member.UnpackedSize = file.ReadInt32();
  member.DataOffset = file.ReadInt32();
  member.PackedSize = file.ReadInt32();
  member.DataCrc = static_cast<uint32_t>(file.ReadInt32());
  member.PackedCrc = static_cast<uint32_t>(file.ReadInt32());
}

void ScanPackageTable(ByteFile& file, PackageInfo& info) {
  const int32_t entryCount = ReadTableStart(file, info.HasExtraText, info.TablePos);
  for (int32_t i = 0; i < entryCount; ++i) {
    PackageMember entry;
    try {
      ReadTableEntry(file, info.HasExtraText, MemberTexts::Skip, entry);
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

bool IsReservedDeviceName(const std::string& name) {
  const std::string stem = AsciiUpper(name.substr(0, name.find('.')));
  static const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : devices)
    if (stem == device) return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string PackageCrcErrorText(const std::string& packageName) {
  return "CRC error in PAK file\r" + packageName +
         " is corrupt\rPlease obtain the original QmkSetup.exe file";
}

std::string DestinationCrcErrorText() { return "CRC error in destination file.\rTry installing again"; }

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
  const int32_t entryCount = ReadTableStart(file, directory.HasExtraText, directory.TablePos);
  for (int32_t i = 0; i < entryCount; ++i) {
    PackageMember member;
    ReadTableEntry(file, directory.HasExtraText, MemberTexts::Read, member);
    directory.Members.push_back(member);
  }
  return directory;
}

bool IsPlainFileName(const std::string& name, const CodePage& page) {
  // Half a character, or bytes that are no UTF-8 where names are UTF-8, name no file we made.
  if (name.empty() || name == "." || name == ".." || !page.IsWhole(name)) return false;
  for (size_t at = 0; at < name.size(); at += page.CharacterLength(name, at)) {
    const char c = name[at];
    if (static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr) return false;
  }
  return !IsReservedDeviceName(name);
}
