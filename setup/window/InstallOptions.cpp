// The installation options: the directory field, tree and drive selector kept in step, and
// the disk space figures.
#include <algorithm>
#include <iterator>

#include "DirectoryTree.h"
#include "DriveCombo.h"
#include "FormControls.h"
#include "archive/AsciiCase.h"
#include "archive/NoFollowWin32.h"
#include "logic/DiskSpace.h"
#include "system/ActionLog.h"

namespace {

constexpr COLORREF NotEnoughSpace = RGB(255, 0, 0);

// Holds DirSyncBusy for one handler and clears it on every way out.
class DirSyncGuard {
public:
  explicit DirSyncGuard(bool& busy) : busy_(busy) { busy_ = true; }
  ~DirSyncGuard() { busy_ = false; }
  DirSyncGuard(const DirSyncGuard&) = delete;
  DirSyncGuard& operator=(const DirSyncGuard&) = delete;

private:
  bool& busy_;
};

char UpperDriveLetter(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') {
    return 0;
  }
  const char letter = path[0];
  return AsciiUpper(letter);
}

}  // namespace

void TSetupForm::EditInstallDirChange() {
  if (DirSyncBusy) {
    return;
  }
  DirSyncGuard guard(DirSyncBusy);
  // The field keeps what was typed; the tree shows its nearest existing ancestor.
  std::string candidate = Text(EditInstallDir);
  HWND tree = Control(ListInstallDir);
  while (!TDirectoryTree::SetDirectory(tree, candidate)) {
    const size_t cut = FindLastAscii(candidate, '\\');
    if (cut == std::string::npos) {
      break;
    }
    candidate.erase(cut);
  }
}

void TSetupForm::ListInstallDirChange() {
  if (DirSyncBusy) {
    return;
  }
  DirSyncGuard guard(DirSyncBusy);
  SetText(EditInstallDir, TDirectoryTree::Directory(Control(ListInstallDir)));
}

void TSetupForm::ComboInstallDriveChange() {
  const char drive = TDriveCombo::Drive(Control(ComboInstallDrive));
  const std::string root = std::string(1, drive) + ":\\";
  ULARGE_INTEGER available;
  SpaceFree = -1;
  if (GetDiskFreeSpaceExA(root.c_str(), &available, nullptr, nullptr)) {
    SpaceFree = static_cast<int64_t>(available.QuadPart);
  } else if (drive != 0) {  // the figure only informs; no drive chosen yet is no failure
    const std::string why = SystemErrorText(GetLastError());
    LogAction("Free space of " + root + " not known (" + why + ")");
  }
  SetText(LabelSpaceFree, KiloBytesText(SpaceFree));
  ShowSpaceFreeColour();
}

void TSetupForm::CheckDelphiClick(int checkBoxId) {
  const auto option = static_cast<size_t>(
      std::distance(IdeCheckIds.begin(), std::find(IdeCheckIds.begin(), IdeCheckIds.end(), checkBoxId)));
  if (option >= IdeCheckIds.size()) {
    return;
  }
  // Enabling leaves a read-only field read-only: that is a separate state of the edit.
  SetEnabled(IdeEditIds[option], Checked(checkBoxId));
  ShowSpaceNeeded();
  ShowSpaceFreeColour();
}

void TSetupForm::ShowSpaceNeeded() { SetText(LabelSpaceNeeded, KiloBytesText(run_.SpaceNeeded())); }

void TSetupForm::ShowSpaceFreeColour() {
  controls_->SetBackColour(LabelSpaceFree,
                          FreeSpaceIsEnough(SpaceFree, run_.SpaceNeeded()) ? CLR_INVALID : NotEnoughSpace);
}

void TSetupForm::ListInstallDirMoved() {
  // A tree moved to another drive takes the drive selector along.
  const char drive = UpperDriveLetter(TDirectoryTree::Directory(Control(ListInstallDir)));
  HWND combo = Control(ComboInstallDrive);
  if (drive != 0 && drive != TDriveCombo::Drive(combo) && TDriveCombo::SelectQuietly(combo, drive)) {
    ComboInstallDriveChange();
  }
  ListInstallDirChange();
}

void TSetupForm::ComboInstallDriveChosen() {
  const char drive = TDriveCombo::Drive(Control(ComboInstallDrive));
  HWND tree = Control(ListInstallDir);
  if (drive != 0 && drive != UpperDriveLetter(TDirectoryTree::Directory(tree))) {
    TDirectoryTree::SetDirectory(tree, TDriveCombo::CurrentDirectoryOf(drive));
  }
  ComboInstallDriveChange();
}
