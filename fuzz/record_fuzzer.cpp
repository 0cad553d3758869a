// Arbitrary bytes as the installation record's values: its texts (the version, a directory)
// and a file list with its recorded size. Uninstall acts on what comes out, so every path it
// would delete must lie directly inside a directory that is a drive's or a share's, and be
// a plain file name there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "PlainFileName.h"
#include "logic/RecordKeeping.h"
#include "logic/RecordText.h"
#include "logic/UninstallPlan.h"

namespace {

bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "C:\" or "\\server\share\" with a server name that names no device or drive.
bool DriveOrShare(const std::string& base) {
  if (base.size() >= 3 && Letter(base[0]) && base[1] == ':' && base[2] == '\\') return true;
  if (base.compare(0, 2, "\\\\") != 0) return false;
  const size_t serverEnd = base.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return false;
  const std::string server = base.substr(2, serverEnd - 2);
  return server != "." && server.find_first_of(":?*\"<>|/") == std::string::npos;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  // The version as start-up reads it, and any text of the record.
  if (const std::optional<std::string> version = DecodeRecordVersion(bytes))
    Check(version->size() <= RecordVersionMax);
  const std::string directory = DecodeRecordText(bytes);
  Check(directory.size() <= RecordTextMax && directory.size() + 1 <= std::max<size_t>(size, 1));

  // What follows the directory's text is a list; the first list byte also gives the recorded size.
  const size_t listStart = bytes.empty() ? 0 : std::min(size, static_cast<size_t>(bytes[0]) + 1);
  const std::vector<uint8_t> listBytes(bytes.begin() + static_cast<std::ptrdiff_t>(listStart), bytes.end());
  const int64_t recordedSize = listBytes.empty() ? -1 : static_cast<int64_t>(listBytes[0]) * 16 - 8;
  const FileList list = ListFromRecord(listBytes, recordedSize);
  Check(static_cast<size_t>(list.Count()) * 16 <= listBytes.size());

  const std::string base = WithTrailingBackslash(directory);
  for (const HelpIndexRule rule : {HelpIndexRule::Keep, HelpIndexRule::DeleteAlongside}) {
    for (const std::string& path : FilesToDelete(list, directory, rule)) {
      Check(path.compare(0, base.size(), base) == 0 && DriveOrShare(base));
      Check(IsPlainFileName(path.substr(base.size())));
    }
  }
  const FileList left = NamesLeft(list, directory, [](const std::string&) { return true; });
  Check(left.Count() <= list.Count());
  return 0;
}
