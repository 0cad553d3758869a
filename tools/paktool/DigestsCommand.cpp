// paktool digests OUT PAK...: the table of the packages' sizes and SHA-256 digests that the
// distribution's Setup.exe carries inside its signature.
#include <filesystem>
#include <fstream>

#include "ByteFile.h"
#include "Commands.h"
#include "PackageDigests.h"

int DigestsCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() < 2) throw UsageError{"digests takes an output file and the package files"};
  PackageDigests table;
  for (size_t i = 1; i < args.size(); ++i) {
    context.File = args[i];
    ByteFile file;
    file.Open(args[i], ByteFile::Mode::Read);
    table.Add(DigestOfFile(file, std::filesystem::path(args[i]).filename().string()));
  }
  context.File = args[0];
  // Written whole or not at all, so that a build never embeds half a table.
  const std::string temporary = args[0] + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << table.Text();
    if (!out.flush()) throw EFileError("Cannot write file", temporary, "");
  }
  std::filesystem::rename(temporary, args[0]);
  return 0;
}
