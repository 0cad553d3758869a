#include "Extract.h"

#include <algorithm>
#include <utility>

#include "CrcUnit.h"
#include "DestinationPath.h"

namespace {

const uint16_t DecoderBufferSize = 32768;

// Files are closed on every path out of an extraction, by success or by error.
class CloseOnExit {
public:
  explicit CloseOnExit(ByteFile& file) : file_(file) {}
  ~CloseOnExit() { file_.Close(); }
  CloseOnExit(const CloseOnExit&) = delete;
  CloseOnExit& operator=(const CloseOnExit&) = delete;

private:
  ByteFile& file_;
};

void CreateDirectoryPath(const Destination& destination, ExtractionObserver& observer,
                         FileSystem::DirectoryAccess access) {
  // Existence is tested instead of entering each level: the current directory stays put.
  // Only the levels made here get the access; existing ones keep theirs.
  for (const std::string& level : destination.Levels) {
    if (FileSystem::DirectoryExists(level)) continue;
    FileSystem::CreateDirectory(level, access);
    observer.DirectoryCreated(level);
  }
}

// Raised from the write event to stop a decode at the member's declared size.
struct DeclaredSizeReached {};

}  // namespace

PackageExtractor::PackageExtractor(ExtractionObserver& observer) : observer_(observer) {
  Decoder.SetInBufferSize(DecoderBufferSize);
  Decoder.SetOutBufferSize(DecoderBufferSize);
  Decoder.OnReadBlock = [this](uint8_t* buffer, uint16_t count, uint16_t& done) {
    ReadPakBlock(buffer, count, done);
  };
  Decoder.OnWriteBlock = [this](uint8_t* buffer, uint16_t count, uint16_t& done) {
    WriteDestBlock(buffer, count, done);
  };
}

void PackageExtractor::ExtractPackage(ByteFile& package, const std::string& packageName,
                                      const Destination& destination, const PackageInfo& info, FileList& list) {
  list = FileList();
  PakFile = &package;
  const CloseOnExit closeDest(DestFile);
  CheckMemberNames(package, info, packageName);  // the whole table, before anything is written

  observer_.StatusChanged("Creating directory structure...");
  CreateDirectoryPath(destination, observer_, newDirectories_);

  const int32_t entryCount = package.ReadInt32();
  CheckEntryCount(package, entryCount);
  list = FileList(entryCount);
  for (int32_t slot = 0; slot < entryCount; ++slot) {
    // The whole entry before its file (the names were checked before the first file).
    PackageMember member;
    ReadTableEntry(package, info.HasExtraText, member);
    const int64_t nextEntryPos = package.Position();
    const std::string& name = member.Name;
    PakRemaining = member.PackedSize;
    package.Seek(member.DataOffset);

    observer_.MemberStarted(name);
    observer_.StatusChanged("Decompressing " + name + "...");
    list.SetName(slot, name);
    DestFile.Open(destination.Path + name, ByteFile::Mode::Create);
    SrcCrc = 0;
    DestCrc = 0;
    DestSize = 0;
    DecodeRemaining = std::max<int32_t>(member.UnpackedSize, 0);
    DecodedTooMuch = false;
    try {
      Decoder.Decompress();
    } catch (const DeclaredSizeReached&) {
      // The rest of the stream is never decoded: its size was a lie.
    }
    // Through the open file: by its name it could be another file by now.
    DestFile.SetDosTime(member.FileTime);
    DestFile.Close();
    observer_.FileWritten(destination.Path + name, DestSize, DestCrc);

    // A damaged package is named as such even when the written file is wrong as well. A stream
    // that decodes to another size than its entry declares is a damaged package too.
    if (SrcCrc != member.PackedCrc || DecodedTooMuch || DecodeRemaining != 0)
      throw EPackageError(PackageCrcErrorText(packageName));
    if (DestCrc != member.DataCrc) throw EPackageError(DestinationCrcErrorText());
    package.Seek(nextEntryPos);
  }
}

void PackageExtractor::ReadPakBlock(uint8_t* buffer, uint16_t count, uint16_t& done) {
  const int32_t wanted = std::min<int32_t>(count, std::max<int32_t>(PakRemaining, 0));
  done = static_cast<uint16_t>(PakFile->Read(buffer, static_cast<uint32_t>(wanted)));
  PakRemaining -= done;
  SrcCrc = UpdateCrc(buffer, done, SrcCrc);
}

void PackageExtractor::WriteDestBlock(uint8_t* buffer, uint16_t count, uint16_t& done) {
  // Up to the declared size: a block that would pass it ends the decoding there.
  const uint16_t allowed = static_cast<uint16_t>(std::min<int64_t>(count, DecodeRemaining));
  DecodeRemaining -= allowed;
  done = static_cast<uint16_t>(DestFile.Write(buffer, allowed));
  DestCrc = UpdateCrc(buffer, done, DestCrc);
  DestSize += done;
  observer_.BytesWritten(done);
  if (allowed < count) {
    DecodedTooMuch = true;
    throw DeclaredSizeReached();
  }
}
