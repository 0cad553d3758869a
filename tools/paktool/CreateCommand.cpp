// paktool create OUT.pak --name TEXT --version TEXT [--extra-text] [--allow-long-names] FILE...
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "AsciiCase.h"
#include "ByteFile.h"
#include "CodePage.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "DosTime.h"
#include "FileList.h"
#include "Package.h"
#include "PackageWriter.h"
#include "Progress.h"

namespace {

struct CreateRequest {
  std::string Output;
  PackageOptions Options;
  std::vector<std::string> Files;
  bool AllowLongNames = false;
};

CreateRequest ParseCreate(const std::vector<std::string>& args) {
  CreateRequest request;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesText = arg == "--name" || arg == "--version";
    if (takesText && i + 1 >= args.size()) throw UsageError{arg + " needs a text"};
    if (arg == "--name") {
      request.Options.ProductName = DecodeEscapes(args[++i]);
    } else if (arg == "--version") {
      request.Options.VersionText = DecodeEscapes(args[++i]);
    } else if (arg == "--extra-text") {
      request.Options.HasExtraText = true;
    } else if (arg == "--allow-long-names") {
      request.AllowLongNames = true;
    } else if (arg.compare(0, 2, "--") == 0) {
      throw UsageError{"unknown option " + arg};
    } else if (request.Output.empty()) {
      request.Output = arg;
    } else {
      request.Files.push_back(arg);
    }
  }
  if (request.Output.empty()) throw UsageError{"create needs an output file"};
  return request;
}

// Member names as they will be installed and recorded for uninstallation: UTF-8, as Setup
// reads them, and kept as bytes. The record keeps 15 bytes of a name, so Uninstall could never
// remove a member with a longer one.
void CheckMemberNames(const std::vector<PackageInput>& members, bool allowLongNames,
                      CommandContext& context) {
  std::set<std::string> seen;
  for (const PackageInput& member : members) {
    context.Member = member.Name;
    if (!CodePage::Utf8().IsWhole(member.Name)) throw EPackageError("name is not UTF-8");
    if (!IsPlainFileName(member.Name, CodePage::Utf8())) throw EPackageError("not a plain file name");
    if (!seen.insert(AsciiUpper(member.Name, CodePage::Utf8())).second)
      throw EPackageError("two members of this name would overwrite each other");
    if (member.Name.size() <= static_cast<size_t>(FileList::MaxNameLength)) continue;
    const std::string problem = "name longer than " + std::to_string(FileList::MaxNameLength) +
                                " bytes; uninstall records only the first " +
                                std::to_string(FileList::MaxNameLength) + " and cannot remove it";
    if (!allowLongNames) throw EPackageError(problem + " (--allow-long-names packs it anyway)");
    std::fprintf(stderr, "paktool: warning: %s: member %s\n", VisibleText(member.Name).c_str(), problem.c_str());
  }
  context.Member.clear();
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  ByteFile file;
  file.Open(path, ByteFile::Mode::Read);
  const int64_t size = file.Size();
  if (size > INT32_MAX) throw EFileError("File too large for a package", path, "");
  std::vector<uint8_t> data(static_cast<size_t>(size));
  file.ReadExact(data.data(), static_cast<uint32_t>(size));
  return data;
}

// SOURCE_DATE_EPOCH, as reproducible builds set it: whole seconds since 1970 UTC. Absent: the
// files' own times in local time, as an installer on the packer's machine would see them.
struct TimeLimit {
  bool Set = false;
  int64_t Seconds = 0;
};

TimeLimit SourceDateEpoch() {
  TimeLimit limit;
  const char* text = std::getenv("SOURCE_DATE_EPOCH");
  if (text == nullptr) return limit;
  char* end = nullptr;
  errno = 0;
  const long long seconds = std::strtoll(text, &end, 10);
  // A build that asks for a reproducible time and cannot have it must not pass unnoticed.
  if (*text < '0' || *text > '9' || *end != '\0' || errno == ERANGE)
    throw std::runtime_error(std::string("SOURCE_DATE_EPOCH is not a number of seconds: \"") +
                             text + "\"");
  limit.Set = true;
  limit.Seconds = seconds;
  return limit;
}

// With a limit, no stored time is later than it, and times are packed in UTC so that the
// packer's time zone does not show in the package.
uint32_t MemberTime(const std::string& path, const TimeLimit& limit) {
  if (!limit.Set) return FileSystem::GetFileDosTime(path);
  const int64_t written = FileSystem::GetFileUnixTime(path);
  return DosDateTimeFromUnixUtc(written < limit.Seconds ? written : limit.Seconds);
}

// The file's name, taken as bytes: no conversion through a locale on the way.
std::string BaseName(const std::string& path) {
#ifdef _WIN32
  const size_t slash = std::max(path.find_last_of('/') + 1, FindLastAscii(path, '\\') + 1);
#else
  const size_t slash = path.find_last_of('/') + 1;
#endif
  return path.substr(slash);
}

}  // namespace

int CreateCommand(const std::vector<std::string>& args, CommandContext& context) {
  const CreateRequest request = ParseCreate(args);
  const TimeLimit timeLimit = SourceDateEpoch();
  std::vector<PackageInput> members;
  for (const std::string& path : request.Files) {
    PackageInput member;
    member.Name = BaseName(path);
    members.push_back(member);
  }
  context.File = request.Output;
  CheckMemberNames(members, request.AllowLongNames, context);

  Progress progress;
  for (size_t i = 0; i < members.size(); ++i) {
    context.File = request.Files[i];
    progress.Show("Reading " + members[i].Name);
    members[i].Data = ReadWholeFile(request.Files[i]);
    members[i].FileTime = MemberTime(request.Files[i], timeLimit);
  }
  context.File = request.Output;
  progress.Show("Compressing " + std::to_string(members.size()) + " files");
  const std::vector<uint8_t> image = BuildPackage(request.Options, members);

  ByteFile out;
  out.Open(request.Output, ByteFile::Mode::Create);
  if (out.Write(image.data(), static_cast<uint32_t>(image.size())) != image.size())
    throw EFileError("Cannot write file", request.Output, "the disk may be full");
  return 0;
}
