#include "system/Registry.h"
#include "window/SetupMainForm.h"
#include "logic/QuotedPath.h"
#include "logic/RecordText.h"

namespace {

void WriteRecordText(const RegKey& key, const std::string& name, const std::string& text,
                     size_t maxLength = RecordTextMax) {
  const std::vector<uint8_t> bytes = EncodeRecordText(text, maxLength);
  key.WriteBinary(name, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void WriteFileList(const RegKey& key, const std::string& prefix, const FileList& list) {
  key.WriteDword(prefix + "FilesSize", static_cast<uint32_t>(list.ByteSize()));
  key.WriteBinary(prefix + "Files", list.Bytes().data(), static_cast<DWORD>(list.ByteSize()));
}

// One shell-registration value: REG_SZ, zero counted.
void WriteShellValue(HKEY root, const std::string& path, REGSAM access, const std::string& name,
                     const std::string& text) {
  RegKey::Create(root, path, access).WriteString(name, text);
}

std::string CutToRecordText(const std::string& text) { return text.substr(0, RecordTextMax); }

}  // namespace

// Registry writes ignore their results: a value that cannot be written is simply missing.
void TSetupForm::WriteInstallationRecord() {
  {
    const RegKey record = RegKey::Create(HKEY_LOCAL_MACHINE, InstallationRecordKey, KEY_WRITE);
    WriteRecordText(record, "Version", PackageVersion, RecordVersionMax);
    WriteRecordText(record, "InstallDir", InstallationDir);
    WriteFileList(record, "Install", InstallFileList);
    for (int i = 0; i < IdeOptionCount; ++i) {
      if (!Checked(IdeCheckIds[i])) continue;
      // The field's text as typed: no backslash added or removed.
      WriteRecordText(record, std::string(IdeOptions[i].Key) + "Dir", Text(IdeEditIds[i]));
      WriteFileList(record, IdeOptions[i].Key, IdeFileList[i]);
    }
  }

  const std::string& d = InstallationDir;
  // Quoted: unquoted, "C:\Program Files\..." would first run "C:\Program.exe".
  const std::string openCommand = Quoted(d + "Quillmk.exe") + " \"%1\"";
  WriteShellValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qmp", KEY_WRITE, "", "QuillmarkProject");
  WriteShellValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject", KEY_WRITE, "", "Quillmark Project");
  WriteShellValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\DefaultIcon", KEY_WRITE, "",
                  CutToRecordText(d + "Quillmk.exe,0"));
  WriteShellValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell", KEY_WRITE, "", "Open");
  WriteShellValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell\\Open\\Command", KEY_WRITE, "",
                  CutToRecordText(openCommand));
  WriteShellValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuillmarkProject\\Shell\\Compile\\Command", KEY_WRITE, "",
                  CutToRecordText(openCommand + " /C"));
  WriteShellValue(HKEY_LOCAL_MACHINE,
                  "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quillmk.exe",
                  KEY_WRITE, "", CutToRecordText(d + "Quillmk.exe"));
  const RegKey uninstall = RegKey::Create(
      HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark",
      KEY_ALL_ACCESS);
  uninstall.WriteString("DisplayName", "Quillmark");
  uninstall.WriteString("UninstallString", CutToRecordText(Quoted(d + "Setup.exe")));
}
