#include "InstallationRecord.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

#include "logic/ProductNames.h"
#include "logic/QuotedPath.h"
#include "logic/RecordText.h"
#include "logic/UninstallPlan.h"
#include "system/ProgramText.h"
#include "system/Registry.h"
#include "archive/CodePage.h"

namespace {

// Each key as its parent and its own name, since Uninstall deletes it from its parent.
constexpr const char* VendorKey = "Software\\Penwright";
constexpr const char* ProductKey = "Quillmark";
constexpr const char* AppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char* AppPathKey = ProductProgramName;  // the program's own name
constexpr const char* ProgramsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* ProgramKey = "Quillmark";
// The file type goes to the machine's classes explicitly: written through HKEY_CLASSES_ROOT it
// lands in the administrator's own HKEY_CURRENT_USER\Software\Classes when that key exists.
constexpr const char* ClassesKey = "Software\\Classes";
constexpr const char* FileTypeKey = ".qmp";
constexpr const char* ProjectKey = "QuillmarkProject";

std::string Below(const char* parent, const std::string& key) { return std::string(parent) + "\\" + key; }
const std::string RecordKey = Below(VendorKey, std::string(ProductKey) + "\\Installation");

// A length-prefixed text of the record: the length byte and up to 255 characters.
constexpr DWORD RecordTextBytes = 256;

std::string DirName(const IdeOption& option) { return std::string(option.Key) + "Dir"; }
std::string SizeName(const std::string& prefix) { return prefix + "FilesSize"; }
std::string ListName(const std::string& prefix) { return prefix + "Files"; }

void WriteRecordText(const RegKey& key, const std::string& name, const std::string& text,
                     size_t maxLength = RecordTextMax) {
  const std::vector<uint8_t> bytes = EncodeRecordText(text, maxLength);
  key.WriteBinary(name, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// An earlier Setup wrote its texts in the system's code page: they are read in it.
bool ReadRecordText(const RegKey& key, const std::string& name, std::string& text) {
  std::vector<uint8_t> bytes;
  if (!key.ReadBytes(name, bytes, RecordTextBytes)) return false;
  text = FromEarlierRecord(DecodeRecordText(bytes));
  return true;
}

void WriteFileList(const RegKey& key, const std::string& prefix, const FileList& list) {
  key.WriteDword(SizeName(prefix), static_cast<uint32_t>(list.ByteSize()));
  key.WriteBinary(ListName(prefix), list.Bytes().data(), static_cast<DWORD>(list.ByteSize()));
}

// A record list value, whatever its stored length: ListFromRecord trusts only what both the
// size value and the list value cover.
FileList ReadFileList(const RegKey& record, const std::string& prefix, uint32_t recordedSize) {
  std::vector<uint8_t> probe;
  std::vector<uint8_t> bytes;
  if (record.ReadBytes(ListName(prefix), probe, 0))
    record.ReadBytes(ListName(prefix), bytes, static_cast<DWORD>(probe.size()));
  return ListFromRecord(bytes, static_cast<int32_t>(recordedSize));
}

std::string CutToRecordText(const std::string& text) { return CutToBytes(text, RecordTextMax); }

// One shell-registration value: REG_SZ, zero counted.
void WriteShellValue(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
  RegKey::Create(root, path, KEY_WRITE).WriteString(name, text);
}

// Add/Remove Programs shows it; deployment tools sort and filter by it.
std::string LocalDateText() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  char text[16];
  std::snprintf(text, sizeof text, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
  return text;
}

void WriteShellRegistration(const std::string& d, const std::string& version, int64_t installedBytes) {
  // Quoted: unquoted, "C:\Program Files\..." would first run "C:\Program.exe".
  const std::string program = d + ProductProgramName;
  const std::string openCommand = Quoted(program) + " \"%1\"";
  const std::string project = Below(ClassesKey, ProjectKey);
  WriteShellValue(HKEY_LOCAL_MACHINE, Below(ClassesKey, FileTypeKey), "", ProjectKey);
  WriteShellValue(HKEY_LOCAL_MACHINE, project, "", "Quillmark Project");
  WriteShellValue(HKEY_LOCAL_MACHINE, project + "\\DefaultIcon", "", CutToRecordText(program + ",0"));
  WriteShellValue(HKEY_LOCAL_MACHINE, project + "\\Shell", "", "Open");
  WriteShellValue(HKEY_LOCAL_MACHINE, project + "\\Shell\\Open\\Command", "", CutToRecordText(openCommand));
  WriteShellValue(HKEY_LOCAL_MACHINE, project + "\\Shell\\Compile\\Command", "", CutToRecordText(openCommand + " /C"));
  WriteShellValue(HKEY_LOCAL_MACHINE, Below(AppPathsKey, AppPathKey), "", CutToRecordText(program));
  const RegKey uninstall = RegKey::Create(HKEY_LOCAL_MACHINE, Below(ProgramsKey, ProgramKey), KEY_ALL_ACCESS);
  uninstall.WriteString("DisplayName", ProductName);
  uninstall.WriteString("UninstallString", CutToRecordText(Quoted(d + SetupCopyName)));
  // What detection rules, inventories and package managers read.
  uninstall.WriteString("DisplayVersion", version);
  uninstall.WriteString("Publisher", "Penwright");
  uninstall.WriteString("InstallLocation", CutToRecordText(d));
  uninstall.WriteString("DisplayIcon", CutToRecordText(program + ",0"));
  const int64_t kilobytes = installedBytes / 1024;
  uninstall.WriteDword("EstimatedSize", static_cast<uint32_t>(std::min<int64_t>(kilobytes, UINT32_MAX)));
  uninstall.WriteString("InstallDate", LocalDateText());
  // Setup offers no change or repair: only Update and Uninstall.
  uninstall.WriteDword("NoModify", 1);
  uninstall.WriteDword("NoRepair", 1);
  uninstall.WriteString("URLInfoAbout", MakerHomePage);
  uninstall.WriteString("QuietUninstallString", CutToRecordText(Quoted(d + SetupCopyName) + " /UNINSTALL /VERYSILENT"));
}

// What Uninstall deletes, each key with its whole subtree (the platform refuses a key that
// has subkeys, and the record lies below the product's key).
struct KeyToDelete {
  HKEY Root;
  const char* Parent;
  const char* Subkey;
};
const KeyToDelete KeysToDelete[] = {
    {HKEY_LOCAL_MACHINE, VendorKey, ProductKey},
    {HKEY_CURRENT_USER, VendorKey, ProductKey},
    {HKEY_LOCAL_MACHINE, AppPathsKey, AppPathKey},
    {HKEY_LOCAL_MACHINE, ClassesKey, FileTypeKey},
    {HKEY_LOCAL_MACHINE, ClassesKey, ProjectKey},
    {HKEY_LOCAL_MACHINE, ProgramsKey, ProgramKey},
};

}  // namespace

void WriteInstallationRecord(const InstallationContents& contents) {
  {
    const RegKey record = RegKey::Create(HKEY_LOCAL_MACHINE, RecordKey, KEY_WRITE);
    WriteRecordText(record, "Version", contents.Version, RecordVersionMax);
    WriteRecordText(record, "InstallDir", contents.InstallationDir);
    WriteFileList(record, "Install", contents.InstallFiles);
    for (int i = 0; i < IdeOptionCount; ++i) {
      const RecordedOption& option = contents.Options[i];
      if (!option.Present) continue;
      WriteRecordText(record, DirName(IdeOptions[i]), option.Directory);
      WriteFileList(record, IdeOptions[i].Key, option.Files);
    }
  }
  WriteShellRegistration(contents.InstallationDir, contents.Version, contents.InstalledBytes);
}

RecordedInstallation ReadInstalledState() {
  RecordedInstallation state;
  const RegKey record = RegKey::Open(HKEY_LOCAL_MACHINE, RecordKey, KEY_QUERY_VALUE);
  if (!record) return state;
  std::vector<uint8_t> version;
  if (record.ReadBytes("Version", version, RecordTextBytes)) state.Version = DecodeRecordVersion(version);
  std::string text;
  if (ReadRecordText(record, "InstallDir", text)) state.InstallDir = text;
  for (int i = 0; i < IdeOptionCount; ++i)
    if (ReadRecordText(record, DirName(IdeOptions[i]), text)) state.OptionDirs[i] = text;
  return state;
}

std::optional<InstallationContents> ReadInstallationContents() {
  const RegKey record = RegKey::Open(HKEY_LOCAL_MACHINE, RecordKey, KEY_QUERY_VALUE);
  uint32_t installSize = 0;
  if (!record || !record.ReadDword(SizeName("Install"), installSize)) return std::nullopt;
  InstallationContents contents;
  contents.InstallFiles = ReadFileList(record, "Install", installSize);
  for (int i = 0; i < IdeOptionCount; ++i) {
    RecordedOption& option = contents.Options[i];
    uint32_t size = 0;
    if (record.ReadDword(SizeName(IdeOptions[i].Key), size)) option.Files = ReadFileList(record, IdeOptions[i].Key, size);
    // Without a directory the list's files go nowhere: FilesToDelete skips such a list.
    option.Present = ReadRecordText(record, DirName(IdeOptions[i]), option.Directory);
  }
  return contents;
}

namespace {
void DeleteKeyOfRow(const KeyToDelete& row) { RegKey::Open(row.Root, row.Parent, KEY_ALL_ACCESS).DeleteSubtree(row.Subkey); }
}  // namespace

// The first row is the product's key, which holds the record.
void RemoveShellRegistration() {
  for (size_t i = 1; i < std::size(KeysToDelete); ++i) DeleteKeyOfRow(KeysToDelete[i]);
}

void RemoveInstallationRecord() { DeleteKeyOfRow(KeysToDelete[0]); }

void KeepRecordedLists(const InstallationContents& left) {
  const RegKey record = RegKey::Open(HKEY_LOCAL_MACHINE, RecordKey, KEY_WRITE);
  if (!record) return;
  WriteFileList(record, "Install", left.InstallFiles);
  for (int i = 0; i < IdeOptionCount; ++i)
    if (left.Options[i].Present) WriteFileList(record, IdeOptions[i].Key, left.Options[i].Files);
}
