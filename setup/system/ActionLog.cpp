#include "ActionLog.h"

#include <windows.h>

#include <cstdio>

#include <winternl.h>

#include "Account.h"
#include "HeldFolders.h"
#include "NoFollow.h"
#include "ProgramText.h"
#include "archive/CodePage.h"
#include "archive/PathFormsWin32.h"
#include "logic/FolderTrust.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
std::string refusal;  // why the log named last could not be opened

// Texts in UTF-8 pass as they are; those of an old code page are converted from it.
std::string Utf8(const std::string& text) {
  if (ProgramCodePage().IsUtf8() && ProgramCodePage().IsWhole(text)) return text;
  return Utf8Text(WideText(text));
}

// The folder of the log, walked down and held, each level relative to the one above. An
// elevated run also holds it to the folder rule, with the user who started it (an
// administrator) trusted besides: a folder any user may write lets that user read, forge or
// hold the lines. Null with the reason in why.
HANDLE HeldLogFolder(const std::string& folder, bool rights, const std::string& user, HeldFolders& folders,
                     HeldLevels& levels, OwnedHandle& root, std::string& why) {
  if (rights) {
    if (const std::optional<FolderRefusal> refused = CheckLogFolder(folder, folders, user)) {
      why = FolderRefusalReason(*refused, AccountNameOf(refused->Why.Account));
      return nullptr;
    }
    if (folders.Deepest()) return folders.Deepest();
  } else {
    if (CheckFolder(folder, levels) != FolderCheck::Safe) {
      why = "a folder of its path is missing, or a junction or symbolic link";
      return nullptr;
    }
    if (levels.Deepest()) return levels.Deepest();
  }
  root = OpenCheckedFolder(folder, why);  // a drive root, which has no level of its own
  return root.Get();
}

// Opens the log for appending, relative to its held folder: created when missing, never cut
// short. Refused (and, when Setup created it, deleted again) unless it is a plain file with one
// name (no hard link) that its path names, and, run elevated, one the folder rule accepts.
OwnedHandle OpenLogFile(const std::string& path, std::string& why) {
  const std::string full = FullPath(path);
  const size_t cut = full.empty() ? 0 : FindLastAscii(full, '\\') + 1;
  if (cut == 0 || cut == full.size()) {
    why = "it names no file";
    return OwnedHandle();
  }
  const std::string folderPath = full.substr(0, cut), name = full.substr(cut);
  const bool rights = HoldsAdministratorRights();
  const std::string user = rights ? ProcessUserSid() : std::string();
  HeldFolders folders;
  HeldLevels levels;
  OwnedHandle root;
  const HANDLE folder = HeldLogFolder(folderPath, rights, user, folders, levels, root, why);
  if (!folder) return OwnedHandle();

  // Append rights only: whatever the file held stays as it was. An existing file is opened,
  // never created through: a dangling link of that name would make its target. Then a new one,
  // which fails where any name (a link too) is in the way.
  constexpr ACCESS_MASK access = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | READ_CONTROL;
  DWORD error = 0;
  OwnedHandle file = OpenInFolder(folder, name, access, FILE_SHARE_READ, FILE_OPEN, FILE_NON_DIRECTORY_FILE, error);
  const bool created = !file && error == ERROR_FILE_NOT_FOUND;
  if (created) file = OpenInFolder(folder, name, access | DELETE, FILE_SHARE_READ, FILE_CREATE, FILE_NON_DIRECTORY_FILE, error);
  if (!file) {
    why = SystemErrorText(error);
    return file;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      info.nNumberOfLinks != 1 || !SameFinalPath(FinalPathOf(file.Get()), full)) {
    why = "it is a junction or link, or has a second name (a hard link)";
  } else if (rights) {
    FolderFacts facts;
    facts.Sddl = SecurityTextOf(file.Get());
    const FolderJudgement judgement = JudgeFolder(facts, user);
    if (judgement.Verdict != FolderVerdict::Accepted)
      why = FolderRefusalReason({full, judgement, true}, AccountNameOf(judgement.Account));
  }
  if (!why.empty()) {
    if (created) MarkForDeletion(file.Get());
    return OwnedHandle();
  }
  if (!created) return file;
  // Held with the right to delete it, the new log could be read by no one who does not share
  // deletion: it is opened again without, inside the held folder, and must be the same file.
  file = OwnedHandle();
  file = OpenInFolder(folder, name, access, FILE_SHARE_READ, FILE_OPEN, FILE_NON_DIRECTORY_FILE, error);
  BY_HANDLE_FILE_INFORMATION again;
  if (!file || !GetFileInformationByHandle(file.Get(), &again) || again.dwVolumeSerialNumber != info.dwVolumeSerialNumber ||
      again.nFileIndexHigh != info.nFileIndexHigh || again.nFileIndexLow != info.nFileIndexLow) {
    why = "it was replaced while Setup opened it";
    return OwnedHandle();
  }
  return file;
}

}  // namespace

bool OpenActionLog(const std::string& path) {
  refusal.clear();
  logFile = OpenLogFile(path, refusal).Release();
  return logFile != INVALID_HANDLE_VALUE;
}

const std::string& ActionLogRefusal() { return refusal; }

bool ActionLogOpen() { return logFile != INVALID_HANDLE_VALUE; }

void LogAction(const std::string& text, LogText encoding) {
  if (!ActionLogOpen()) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u  ", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  // One line per action: a text of several lines (an error box's) keeps to one.
  std::string flat = text;
  for (char& c : flat)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string line = stamp + (encoding == LogText::Utf8 ? flat : Utf8(flat)) + "\r\n";
  DWORD written = 0;
  WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
