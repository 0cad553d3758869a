// Files in use are found before a command replaces or deletes any file (Install has only claimed
// its installation directory by then): replacing or deleting them would fail halfway and leave
// a mix of two versions.
#include <algorithm>

#include "SetupRun.h"
#include "archive/AsciiCase.h"
#include "archive/PathFormsWin32.h"
#include "logic/ProductNames.h"
#include "logic/UninstallPlan.h"
#include "system/ActionLog.h"
#include "system/RunningProgram.h"

namespace {
// The members of a package, read through the file held since start-up.
// directory ends in a backslash.
void AddMembers(SourcePackage& package, const std::string& directory, std::vector<std::string>& paths) {
  if (!package.File.IsOpen()) return;
  try {
    package.File.Seek(0);
    for (const PackageMember& member : ReadPackageDirectory(package.File).Members)
      if (IsPlainFileName(member.Name)) paths.push_back(directory + member.Name);
  } catch (const std::exception& error) {
    // A damaged package is the extraction's to report; its files are not looked for.
    LogAction("Files in use: the members of " + package.Name + " are not known (" + error.what() + ")");
  }
}
}  // namespace

std::vector<std::string> SetupRun::FilesInstallReplaces(const std::optional<InstallationContents>& old) {
  std::vector<std::string> paths;
  const std::string& installationDir = plan_.Install.Path;
  for (const PackageTarget& target : plan_.Packages) AddMembers(PackageFile(target.Option), target.Path, paths);
  paths.push_back(installationDir + SetupCopyName);
  if (old) {
    // An update also deletes the old files the new packages no longer carry.
    for (const std::string& path : FilesToDelete(old->InstallFiles, installationDir, HelpIndexRule::Keep))
      paths.push_back(path);
    for (int i = 0; i < IdeOptionCount; ++i)
      if (plan_.Ide[i].Chosen)
        for (const std::string& path : FilesToDelete(old->Options[i].Files, old->Options[i].Directory, HelpIndexRule::Keep))
          paths.push_back(path);
  }
  return paths;
}

bool SetupRun::FilesFree(std::vector<std::string> paths) {
  // The running Setup is the helper's to delete, and its own image always refuses writing.
  const std::string self = AsciiLower(LongPath(RunningProgramPath()));
  paths.erase(std::remove_if(paths.begin(), paths.end(),
                             [&](const std::string& p) { return AsciiLower(LongPath(p)) == self; }),
              paths.end());
  bool closingTried = false;
  for (;;) {
    const std::vector<FileInUse> inUse = FindFilesInUse(paths);
    if (inUse.empty()) return true;
    std::string list;
    for (const FileInUse& file : inUse) {
      const std::string line = file.Path + (file.Programs.empty() ? "" : " (" + file.Programs + ")");
      LogAction("File in use: " + line);
      list += line + "\r";
    }
    // Unattended, the holders may be asked to close once; the window's user closes them.
    if (feedback_.Unattended() && Model.Closing.Close && !closingTried) {
      closingTried = true;
      CloseHolders(paths, inUse);
      continue;
    }
    if (feedback_.Unattended()) throw EFilesInUse();
    const std::string text = "These files are in use:\r\r" + list +
                             "\rClose the programs that use them and press Retry, or press Cancel to change nothing.";
    if (feedback_.Message(text, ApplicationTitle, MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY) {
      LogAction("Files in use: cancelled, nothing changed");
      return false;
    }
  }
}
