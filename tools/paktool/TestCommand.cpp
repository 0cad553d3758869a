// paktool test PAK: decodes every member in memory and checks both CRCs, as extraction would.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "ByteFile.h"
#include "Commands.h"
#include "CrcUnit.h"
#include "LZH.h"
#include "Package.h"
#include "PackageWriter.h"
#include "Progress.h"

namespace {

// The member's stream as the package holds it: fewer bytes when the file ends early.
std::vector<uint8_t> ReadStream(ByteFile& file, const PackageMember& member) {
  if (member.DataOffset < 0 || member.PackedSize < 0) throw EPackageError("PAK file corrupt");
  file.Seek(member.DataOffset);
  const int64_t available = std::max<int64_t>(file.Size() - member.DataOffset, 0);
  std::vector<uint8_t> stream(static_cast<size_t>(std::min<int64_t>(member.PackedSize, available)));
  file.ReadExact(stream.data(), static_cast<uint32_t>(stream.size()));
  return stream;
}

// Ends a decode at the member's declared size.
struct DeclaredSizePassed {};

}  // namespace

int TestCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"test takes one package file"};
  context.File = args[0];
  ByteFile file;
  file.Open(args[0], ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  const std::string packageName = std::filesystem::path(args[0]).filename().string();
  // The table as Setup judges it before writing a file: plain names, no two naming one file.
  PackageInfo info;
  info.TablePos = directory.TablePos;
  info.HasExtraText = directory.HasExtraText;
  CheckMemberNames(file, info, packageName);

  TLZHCompressor decoder;
  decoder.SetInBufferSize(32768);
  decoder.SetOutBufferSize(32768);
  Progress progress;
  for (const PackageMember& member : directory.Members) {
    context.Member = member.Name;
    progress.Show("Testing " + member.Name);
    const std::vector<uint8_t> stream = ReadStream(file, member);
    // Only the CRC and the size are kept, and no more than the declared size is decoded, as
    // Setup decodes: a damaged stream may decode to far more than it holds.
    const int64_t declared = std::max<int32_t>(member.UnpackedSize, 0);
    uint32_t decodedCrc = 0;
    int64_t decodedSize = 0;
    bool tooLong = false;
    try {
      DecodeStreamInBlocks(decoder, stream.data(), stream.size(), [&](const uint8_t* block, uint16_t count) {
        const uint16_t kept = static_cast<uint16_t>(std::min<int64_t>(count, declared - decodedSize));
        decodedCrc = UpdateCrc(block, kept, decodedCrc);
        decodedSize += kept;
        if (kept < count) throw DeclaredSizePassed();
      });
    } catch (const DeclaredSizePassed&) {
      tooLong = true;
    }
    if (CrcOfBytes(stream.data(), stream.size()) != member.PackedCrc || tooLong || decodedSize != declared)
      throw EPackageError(PackageCrcErrorText(packageName));
    if (decodedCrc != member.DataCrc) throw EPackageError(DestinationCrcErrorText());
  }
  context.Member.clear();
  std::printf("%s: %zu members OK\n", args[0].c_str(), directory.Members.size());
  return 0;
}
