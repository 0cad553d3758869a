// paktool list PAK: the header texts, then one line per member.
#include <cstdio>

#include "ByteFile.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "DosTime.h"
#include "Package.h"

namespace {

double Ratio(int32_t packed, int32_t unpacked) {
  return unpacked > 0 ? 100.0 * packed / unpacked : 0.0;
}

}  // namespace

int ListCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"list takes one package file"};
  context.File = args[0];
  ByteFile file;
  file.Open(args[0], ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);

  std::printf("Product name: \"%s\"\n", VisibleText(directory.ProductName).c_str());
  std::printf("Version:      \"%s\"\n", VisibleText(directory.VersionText).c_str());
  std::printf("Extra texts:  %s\n", directory.HasExtraText ? "yes" : "no");
  std::printf("Members:      %zu\n", directory.Members.size());
  std::printf("%-16s %10s %10s %6s  %-19s  %-8s  %s\n", "Name", "Unpacked", "Packed", "Ratio",
              "File time", "DataCrc", "PackCrc");
  for (const PackageMember& member : directory.Members) {
    std::printf("%-16s %10d %10d %5.1f%%  %-19s  %08X  %08X\n", VisibleText(member.Name).c_str(),
                static_cast<int>(member.UnpackedSize), static_cast<int>(member.PackedSize),
                Ratio(member.PackedSize, member.UnpackedSize),
                FormatDosDateTime(member.FileTime).c_str(), static_cast<unsigned>(member.DataCrc),
                static_cast<unsigned>(member.PackedCrc));
  }
  return 0;
}
