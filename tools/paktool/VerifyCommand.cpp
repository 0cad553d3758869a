// paktool verify SETUP.EXE DIR: whether a distribution folder holds exactly the packages that its
// Setup.exe pins, byte for byte, as the pinned Setup checks them before reading one.
#include <cstdio>
#include <filesystem>

#include "ByteFile.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "Package.h"
#include "PackageDigests.h"
#include "ProgramResource.h"

int VerifyCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"verify takes a Setup.exe and a distribution folder"};
  context.File = args[0];
  const std::optional<std::string> text = ReadNamedRcData(args[0], PackageDigestsResourceName);
  if (!text) throw EPackageError("carries no package digests: it checks no package");
  const std::optional<PackageDigests> table = PackageDigests::Parse(*text);
  if (!table) throw EPackageError("its package digests are damaged");

  int failures = 0;
  for (const PackageDigest& pinned : table->Entries()) {
    const std::string path = (std::filesystem::path(args[1]) / pinned.Name).string();
    ByteFile file;
    const char* verdict = "OK";
    if (!file.TryOpen(path, ByteFile::Mode::Read))
      verdict = "MISSING";
    else if (!MatchesDigest(file, pinned))
      verdict = "DIFFERS (size or SHA-256)";
    if (verdict[0] != 'O') ++failures;
    std::printf("%s: %s\n", VisibleText(pinned.Name).c_str(), verdict);
  }
  // A package the table does not name is never opened by Setup: said, not counted.
  for (const auto& entry : std::filesystem::directory_iterator(args[1])) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".pak" && !table->Find(name))
      std::printf("%s: not pinned, Setup ignores it\n", VisibleText(name).c_str());
  }
  context.File.clear();
  std::printf("%zu packages pinned, %d failed\n", table->Entries().size(), failures);
  return failures == 0 ? 0 : 1;
}
