#pragma once
#include <cstdint>
#include <string>

#include "ByteFile.h"
#include "DestinationPath.h"
#include "FileList.h"
#include "LZH.h"
#include "Package.h"

// Receives what the busy page shows: the status text and the bytes written.
class ExtractionObserver {
public:
  virtual ~ExtractionObserver() = default;
  virtual void StatusChanged(const std::string& text) = 0;  // "Creating directory structure..." ...
  virtual void BytesWritten(uint32_t count) = 0;
  // The member about to be decoded, as stored (for tools that name it in their errors).
  virtual void MemberStarted(const std::string& /*name*/) {}
  // For a log of what an installation changed.
  virtual void DirectoryCreated(const std::string& /*path*/) {}
  virtual void FileWritten(const std::string& /*path*/, int64_t /*size*/, uint32_t /*crc*/) {}
};

// Installs packages into directories: one decoder, reused for every member of every package.
class PackageExtractor {
public:
  explicit PackageExtractor(ExtractionObserver& observer);

  // Extracts the open package into destination (DestinationOf: rooted, completed and split
  // into its levels by its maker, once); packageName is what the errors call it. The
  // package is read only through this file, which its caller opened once (a second open by
  // name could find another file). The list is set (all slots empty) before the first member,
  // so after an error it still holds the slots of the members reached. Raises EFileError or
  // EPackageError with the texts the user sees. A package with a member name that is no plain file name, or two
  // that name one file, is refused whole, before anything is created or written. A member is
  // decoded up to its declared size and no further: a stream that ends before it, or has more
  // to give, is the package's CRC error.
  void ExtractPackage(ByteFile& package, const std::string& packageName, const Destination& destination,
                      const PackageInfo& info, FileList& list);

  // How the directories that extraction creates are secured (Inherited unless set).
  void SetNewDirectoryAccess(FileSystem::DirectoryAccess access) { newDirectories_ = access; }

private:
  void ReadPakBlock(uint8_t* buffer, uint16_t count, uint16_t& done);
  void WriteDestBlock(uint8_t* buffer, uint16_t count, uint16_t& done);

  ExtractionObserver& observer_;
  FileSystem::DirectoryAccess newDirectories_ = FileSystem::DirectoryAccess::Inherited;
  TLZHCompressor Decoder;
  ByteFile* PakFile = nullptr;  // the package being extracted, its caller's
  ByteFile DestFile;
  int32_t PakRemaining = 0;
  uint32_t SrcCrc = 0;
  uint32_t DestCrc = 0;
  int64_t DestSize = 0;
  int64_t DecodeRemaining = 0;  // of the member's declared size
  bool DecodedTooMuch = false;
};
