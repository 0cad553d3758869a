#pragma once
#include <optional>
#include <string>

#include "InstallDirectory.h"

// The installation directory is Setup's own, or Setup refuses it. Add/Remove Programs starts
// the Setup.exe copy in it with administrator rights, so a folder that anyone else may change,
// or could have made and kept a handle on, would let that user run a program of theirs as
// administrator. Every folder of the path that exists (Setup creates the rest) must be a plain
// local folder, owned by Administrators, SYSTEM or TrustedInstaller, that no one else may
// write, delete or re-permission, down from the nearest folder Windows protects itself
// (Program Files, the Windows directory). An existing folder is never taken over: a handle its
// maker opened before keeps its rights after any change of owner or permissions.

// What the system says of one existing folder of the path.
struct FolderFacts {
  bool IsDirectory = true;
  bool IsLink = false;             // a junction or symbolic link (a name surrogate)
  bool FinalPathMatches = true;    // the open handle names the path (no link on the way)
  bool TrustedKnownFolder = false; // Program Files (either view) or the Windows directory
  std::string Sddl;                // owner and DACL as SDDL text; empty when unreadable
};

// What the system says of the drive.
struct VolumeFacts {
  bool Local = true;           // a fixed disk of this computer
  bool PersistentAcls = true;  // the file system keeps permissions (NTFS, ReFS; not FAT)
};

enum class FolderVerdict {
  Accepted,         // Setup's own: the next folder up is checked too
  Trusted,          // a folder Windows protects itself: nothing above it matters
  NotAFullPath,
  DriveRoot,
  NotLocal,
  NoPermissions,
  NotAFolder,
  Missing,          // a folder the log's path needs
  Link,
  Unreadable,
  ForeignOwner,     // Account: the owner
  OthersMayChange,  // Account: the first one allowed to write, delete or re-permission
};

struct FolderJudgement {
  FolderVerdict Verdict = FolderVerdict::Accepted;
  std::string Account;  // a SID as SDDL writes it ("AU", "S-1-5-21-...")
};

// The verdict on one existing folder. trustedUser (a SID as SDDL writes it) may own and change
// it besides Administrators, SYSTEM and TrustedInstaller: the user who started an elevated
// Setup, an administrator, for the log's folder and file; no one for the installation directory.
FolderJudgement JudgeFolder(const FolderFacts& facts, const std::string& trustedUser = std::string());

// The system's side of the check, for one run of it.
class FolderInspector {
public:
  virtual ~FolderInspector() = default;
  virtual VolumeFacts Volume(const std::string& root) = 0;
  // The facts of an existing folder, or nothing when it does not exist.
  virtual std::optional<FolderFacts> Inspect(const std::string& folder) = 0;
};

struct FolderRefusal {
  std::string Folder;  // the folder (or drive, or the log file) the reason is about
  FolderJudgement Why;
  bool IsFile = false;  // the log file itself
};

// Checks the drive, then opens the existing folders of the path from the root down (stopping at
// the first missing one) and judges them from the deepest up to the nearest trusted folder.
// Nothing when Setup may install there.
std::optional<FolderRefusal> CheckInstallationFolder(const InstallDirectory& installDir, FolderInspector& inspector,
                                                     const std::string& trustedUser = std::string());
// The same for a path not yet split (page: how its bytes divide into characters).
std::optional<FolderRefusal> CheckInstallationFolder(const std::string& installDir, FolderInspector& inspector,
                                                     const std::string& trustedUser = std::string(),
                                                     const CodePage& page = ProgramCodePage());

// The folder of an elevated run's log, by the same rule: whoever could write there could read,
// forge or hold its lines. Every folder of the path must exist.
std::optional<FolderRefusal> CheckLogFolder(const std::string& logFolder, FolderInspector& inspector,
                                            const std::string& trustedUser);

// The error box's text: names the installation directory, the folder and the reason; account
// is the name of the refusal's account as the system spells it.
std::string FolderRefusalText(const std::string& installDir, const FolderRefusal& refusal, const std::string& account);
// The reason alone ("the folder C:\Tools belongs to PC\bob, not to the administrators").
std::string FolderRefusalReason(const FolderRefusal& refusal, const std::string& account);
