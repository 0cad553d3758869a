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

}  // namespace

int TestCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"test takes one package file"};
  context.File = args[0];
  ByteFile file;
  file.Open(args[0], ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  const std::string packageName = std::filesystem::path(args[0]).filename().string();

  TLZHCompressor decoder;
  decoder.SetInBufferSize(32768);
  decoder.SetOutBufferSize(32768);
  Progress progress;
  for (const PackageMember& member : directory.Members) {
    context.Member = member.Name;
    progress.Show("Testing " + member.Name);
    if (!IsPlainFileName(member.Name)) throw EPackageError("not a plain file name");
    const std::vector<uint8_t> stream = ReadStream(file, member);
    // Only the CRC and the size are kept: a damaged stream may decode to far more than it holds.
    uint32_t decodedCrc = 0;
    int64_t decodedSize = 0;
    DecodeStreamInBlocks(decoder, stream.data(), stream.size(), [&](const uint8_t* block, uint16_t count) {
      decodedCrc = UpdateCrc(block, count, decodedCrc);
      decodedSize += count;
    });
    if (CrcOfBytes(stream.data(), stream.size()) != member.PackedCrc)
      throw EPackageError(PackageCrcErrorText(packageName));
    if (decodedCrc != member.DataCrc) throw EPackageError(DestinationCrcErrorText());
    if (decodedSize != member.UnpackedSize)
      throw EPackageError("decodes to " + std::to_string(decodedSize) + " bytes, not " +
                          std::to_string(member.UnpackedSize));
  }
  context.Member.clear();
  std::printf("%s: %zu members OK\n", args[0].c_str(), directory.Members.size());
  return 0;
}
