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

void CreateDirectoryPath(const std::string& destDir, ExtractionObserver& observer,
                         FileSystem::DirectoryAccess access) {
  // Existence is tested instead of entering each level: the current directory stays put.
  // Only the levels made here get the access; existing ones keep theirs.
  for (const std::string& level : DestinationLevels(destDir, NativePathStyle())) {
    if (FileSystem::DirectoryExists(level)) continue;
    FileSystem::CreateDirectory(level, access);
    observer.DirectoryCreated(level);
  }
}

}  // namespace

PackageExtractor::PackageExtractor(std::string sourceDir, ExtractionObserver& observer)
    : sourceDir_(std::move(sourceDir)), observer_(observer) {
  Decoder.SetInBufferSize(DecoderBufferSize);
  Decoder.SetOutBufferSize(DecoderBufferSize);
  Decoder.OnReadBlock = [this](uint8_t* buffer, uint16_t count, uint16_t& done) {
    ReadPakBlock(buffer, count, done);
  };
  Decoder.OnWriteBlock = [this](uint8_t* buffer, uint16_t count, uint16_t& done) {
    WriteDestBlock(buffer, count, done);
  };
}

void PackageExtractor::ExtractPackage(const std::string& packageName, std::string destDir,
                                      const PackageInfo& info, FileList& list) {
  list = FileList();
  destDir = CompleteDestination(destDir, NativePathStyle());
  const CloseOnExit closePak(PakFile);
  const CloseOnExit closeDest(DestFile);
  PakFile.Open(sourceDir_ + packageName, ByteFile::Mode::Read);
  CheckMemberNames(PakFile, info, packageName);  // the whole table, before anything is written

  observer_.StatusChanged("Creating directory structure...");
  CreateDirectoryPath(destDir, observer_, newDirectories_);

  const int32_t entryCount = PakFile.ReadInt32();
  CheckEntryCount(PakFile, entryCount);
  list = FileList(entryCount);
  for (int32_t slot = 0; slot < entryCount; ++slot) {
    // The whole entry before its file (the names were checked before the first file).
    PackageMember member;
    ReadTableEntry(PakFile, info.HasExtraText, member);
    const int64_t nextEntryPos = PakFile.Position();
    const std::string& name = member.Name;
    PakRemaining = member.PackedSize;
    PakFile.Seek(member.DataOffset);

    observer_.MemberStarted(name);
    observer_.StatusChanged("Decompressing " + name + "...");
    list.SetName(slot, name);
    DestFile.Open(destDir + name, ByteFile::Mode::Create);
    SrcCrc = 0;
    DestCrc = 0;
    DestSize = 0;
    Decoder.Decompress();
    // Through the open file: by its name it could be another file by now.
    DestFile.SetDosTime(member.FileTime);
    DestFile.Close();
    observer_.FileWritten(destDir + name, DestSize, DestCrc);

    // A damaged package is named as such even when the written file is wrong as well.
    if (SrcCrc != member.PackedCrc) throw EPackageError(PackageCrcErrorText(packageName));
    if (DestCrc != member.DataCrc) throw EPackageError(DestinationCrcErrorText());
    PakFile.Seek(nextEntryPos);
  }
}

void PackageExtractor::ReadPakBlock(uint8_t* buffer, uint16_t count, uint16_t& done) {
  const int32_t wanted = std::min<int32_t>(count, std::max<int32_t>(PakRemaining, 0));
  done = static_cast<uint16_t>(PakFile.Read(buffer, static_cast<uint32_t>(wanted)));
  PakRemaining -= done;
  SrcCrc = UpdateCrc(buffer, done, SrcCrc);
}

void PackageExtractor::WriteDestBlock(uint8_t* buffer, uint16_t count, uint16_t& done) {
  done = static_cast<uint16_t>(DestFile.Write(buffer, count));
  DestCrc = UpdateCrc(buffer, done, DestCrc);
  DestSize += done;
  observer_.BytesWritten(done);
}
