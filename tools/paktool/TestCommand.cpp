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

struct DecodedMember {
  uint32_t Crc = 0;
  int64_t Size = 0;
};

// The member's stream as the package holds it: fewer bytes when the file ends early.
std::vector<uint8_t> ReadStream(ByteFile& file, const PackageMember& member) {
  if (member.DataOffset < 0 || member.PackedSize < 0) throw EPackageError("PAK file corrupt");
  file.Seek(member.DataOffset);
  const int64_t available = std::max<int64_t>(file.Size() - member.DataOffset, 0);
  std::vector<uint8_t> stream(static_cast<size_t>(std::min<int64_t>(member.PackedSize, available)));
  file.ReadExact(stream.data(), static_cast<uint32_t>(stream.size()));
  return stream;
}

DecodedMember Decode(TLZHCompressor& decoder, const std::vector<uint8_t>& stream) {
  DecodedMember decoded;
  size_t position = 0;
  decoder.OnReadBlock = [&](uint8_t* buffer, uint16_t count, uint16_t& done) {
    done = static_cast<uint16_t>(std::min<size_t>(count, stream.size() - position));
    std::copy_n(stream.data() + position, done, buffer);
    position += done;
  };
  decoder.OnWriteBlock = [&](uint8_t* buffer, uint16_t count, uint16_t& done) {
    decoded.Crc = UpdateCrc(buffer, count, decoded.Crc);
    decoded.Size += count;
    done = count;
  };
  decoder.Decompress();
  return decoded;
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
    const DecodedMember decoded = Decode(decoder, stream);
    if (CrcOfBytes(stream.data(), stream.size()) != member.PackedCrc)
      throw EPackageError(PackageCrcErrorText(packageName));
    if (decoded.Crc != member.DataCrc) throw EPackageError(DestinationCrcErrorText());
    if (decoded.Size != member.UnpackedSize)
      throw EPackageError("decodes to " + std::to_string(decoded.Size) + " bytes, not " +
                          std::to_string(member.UnpackedSize));
  }
  context.Member.clear();
  std::printf("%s: %zu members OK\n", args[0].c_str(), directory.Members.size());
  return 0;
}
