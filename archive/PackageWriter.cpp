#include "PackageWriter.h"

#include <algorithm>
#include <climits>

#include "CrcUnit.h"
#include "LZHEncoder.h"
#include "Package.h"

namespace {

const uint8_t Signature[] = {'P', 'W', 'P', 'A', 'K', 0, 0};  // the two reserved bytes are zero
const size_t MaxShortText = 255;

void PutInt32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

int32_t CheckedSize(size_t size, const std::string& what) {
  if (size > static_cast<size_t>(INT32_MAX)) throw EPackageError(what + " is too large for a package");
  return static_cast<int32_t>(size);
}

void PutLongText(std::vector<uint8_t>& out, const std::string& text) {
  PutInt32(out, static_cast<uint32_t>(CheckedSize(text.size(), "Header text")));
  out.insert(out.end(), text.begin(), text.end());
}

void PutShortText(std::vector<uint8_t>& out, const std::string& text, const std::string& what) {
  if (text.size() > MaxShortText) throw EPackageError(what + " is longer than 255 bytes");
  out.push_back(static_cast<uint8_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

size_t EntrySize(const PackageInput& member, bool hasExtraText) {
  return MinimumTableEntrySize + member.Name.size() + (hasExtraText ? 1 + member.ExtraText.size() : 0);
}

uint32_t CrcOf(const std::vector<uint8_t>& bytes) { return CrcOfBytes(bytes.data(), bytes.size()); }

}  // namespace

uint32_t CrcOfBytes(const uint8_t* data, size_t size) {
  uint32_t crc = 0;
  for (size_t done = 0; done < size;) {
    const uint16_t block = static_cast<uint16_t>(std::min<size_t>(size - done, 32768));
    crc = UpdateCrc(data + done, block, crc);
    done += block;
  }
  return crc;
}

std::vector<uint8_t> BuildPackage(const PackageOptions& options,
                                  const std::vector<PackageInput>& members) {
  for (const PackageInput& member : members) {
    if (!IsPlainFileName(member.Name))
      throw EPackageError("Member name \"" + member.Name + "\" is not a plain file name");
  }
  std::vector<uint8_t> out(std::begin(Signature), std::end(Signature));
  PutLongText(out, options.ProductName);
  PutLongText(out, options.VersionText);
  out.push_back(options.HasExtraText ? 1 : 0);
  PutInt32(out, static_cast<uint32_t>(CheckedSize(members.size(), "Member count")));

  size_t dataOffset = out.size();
  for (const PackageInput& member : members) dataOffset += EntrySize(member, options.HasExtraText);

  std::vector<uint8_t> streams;
  for (const PackageInput& member : members) {
    const std::vector<uint8_t> packed = LzhCompress(member.Data.data(), member.Data.size());
    PutShortText(out, member.Name, "Member name \"" + member.Name + "\"");
    if (options.HasExtraText) PutShortText(out, member.ExtraText, "Extra text of " + member.Name);
    PutInt32(out, member.FileTime);
    PutInt32(out, static_cast<uint32_t>(CheckedSize(member.Data.size(), member.Name)));
    PutInt32(out, static_cast<uint32_t>(CheckedSize(dataOffset + streams.size(), "Package")));
    PutInt32(out, static_cast<uint32_t>(CheckedSize(packed.size(), member.Name)));
    PutInt32(out, CrcOf(member.Data));
    PutInt32(out, CrcOf(packed));
    streams.insert(streams.end(), packed.begin(), packed.end());
  }
  CheckedSize(out.size() + streams.size(), "Package");
  out.insert(out.end(), streams.begin(), streams.end());
  return out;
}
