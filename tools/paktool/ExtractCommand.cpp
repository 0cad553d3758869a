// paktool extract PAK DIR: the same extraction engine as Setup.
#include <cstdio>
#include <filesystem>

#include "ByteFile.h"
#include "Commands.h"
#include "Extract.h"
#include "Progress.h"

namespace {

// Follows the engine: remembers the member for error lines and shows the bytes written.
class ConsoleObserver : public ExtractionObserver {
public:
  explicit ConsoleObserver(CommandContext& context) : context_(context) {}

  void StatusChanged(const std::string& text) override {
    status_ = text;
    progress_.Show(status_);
  }
  void BytesWritten(uint32_t count) override {
    total_ += count;
    progress_.Show(status_ + " " + std::to_string(total_) + " bytes");
  }
  void MemberStarted(const std::string& name) override {
    context_.Member = name;
    ++members_;
  }

  int64_t Total() const { return total_; }
  int Members() const { return members_; }

private:
  CommandContext& context_;
  Progress progress_;
  std::string status_;
  int64_t total_ = 0;
  int members_ = 0;
};

}  // namespace

int ExtractCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"extract takes a package file and a directory"};
  context.File = args[0];
  ByteFile file;
  file.Open(args[0], ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  PackageInfo info;
  info.TablePos = directory.TablePos;
  info.HasExtraText = directory.HasExtraText;
  // The engine takes only rooted destinations; a tool may resolve what its user typed.
  const std::string destDir = std::filesystem::absolute(args[1]).string();

  ConsoleObserver observer(context);
  PackageExtractor extractor(observer);
  FileList list;
  extractor.ExtractPackage(file, std::filesystem::path(args[0]).filename().string(),
                           DestinationOf(destDir, NativePathStyle()), info, list);
  context.Member.clear();
  std::printf("%s: %d members, %lld bytes extracted to %s\n", args[0].c_str(), observer.Members(),
              static_cast<long long>(observer.Total()), destDir.c_str());
  return 0;
}
