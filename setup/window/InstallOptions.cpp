// The installation options: the directory field, tree and drive selector kept in step, the IDE
// options and the disk space figures. A handler takes a user's change into the model; the Show
// functions draw controls from the model and run no handler.
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

char UpperDriveLetter(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') {
    return 0;
  }
  const char letter = path[0];
  return AsciiUpper(letter);
}

}  // namespace

void TSetupForm::EditInstallDirChange() {
  const std::string typed = Text(EditInstallDir);
  if (typed == run_.Model.InstallDir) return;  // the field was drawn from the model: nothing new
  run_.Model.InstallDir = typed;
  ShowTree();
}

// A folder chosen in the tree: the installation directory, and the drive follows.
void TSetupForm::ListInstallDirChange() {
  run_.Model.InstallDir = TDirectoryTree::Directory(Control(ListInstallDir));
  SetText(EditInstallDir, run_.Model.InstallDir);
  ShowDriveOfTree();
}

// A drive chosen by the user: the tree goes where that drive stands, and the field with it.
void TSetupForm::ComboInstallDriveChange() {
  const char drive = TDriveCombo::Drive(Control(ComboInstallDrive));
  HWND tree = Control(ListInstallDir);
  if (drive != 0 && drive != UpperDriveLetter(TDirectoryTree::Directory(tree)) &&
      TDirectoryTree::SetDirectory(tree, TDriveCombo::CurrentDirectoryOf(drive))) {
    run_.Model.InstallDir = TDirectoryTree::Directory(tree);
    SetText(EditInstallDir, run_.Model.InstallDir);
  }
  ShowSpaceFree();
}

void TSetupForm::CheckDelphiClick(int checkBoxId) {
  const auto option = static_cast<size_t>(
      std::distance(IdeCheckIds.begin(), std::find(IdeCheckIds.begin(), IdeCheckIds.end(), checkBoxId)));
  if (option >= IdeCheckIds.size()) {
    return;
  }
  run_.Model.Ide[option].Chosen = Checked(checkBoxId);
  ShowChosen(static_cast<int>(option));
}

void TSetupForm::ShowTree() {
  // The field keeps what was typed; the tree shows its nearest existing ancestor.
  std::string candidate = run_.Model.InstallDir;
  HWND tree = Control(ListInstallDir);
  while (!TDirectoryTree::SetDirectory(tree, candidate)) {
    const size_t cut = FindLastAscii(candidate, '\\');
    if (cut == std::string::npos) {
      break;
    }
    candidate.erase(cut);
  }
  ShowDriveOfTree();
}

void TSetupForm::ShowDriveOfTree() {
  // A tree on another drive takes the drive selector along.
  const char drive = UpperDriveLetter(TDirectoryTree::Directory(Control(ListInstallDir)));
  HWND combo = Control(ComboInstallDrive);
  if (drive != 0 && drive != TDriveCombo::Drive(combo) && TDriveCombo::Select(combo, drive)) {
    ShowSpaceFree();
  }
}

void TSetupForm::ShowOption(int option) {
  const IdeChoice& choice = run_.Model.Ide[option];
  SetEnabled(IdeCheckIds[option], choice.PackageUsable);
  SetChecked(IdeCheckIds[option], choice.Chosen);
  SetText(IdeEditIds[option], choice.Directory);
  SetReadOnly(IdeEditIds[option], choice.Recorded);
}

void TSetupForm::ShowChosen(int option) {
  // Enabling leaves a read-only field read-only: that is a separate state of the edit.
  SetEnabled(IdeEditIds[option], run_.Model.Ide[option].Chosen);
  ShowSpaceNeeded();
  ShowSpaceFreeColour();
}

void TSetupForm::ShowSpaceFree() {
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

void TSetupForm::ShowSpaceNeeded() { SetText(LabelSpaceNeeded, KiloBytesText(run_.SpaceNeeded())); }

void TSetupForm::ShowSpaceFreeColour() {
  controls_->SetBackColour(LabelSpaceFree,
                          FreeSpaceIsEnough(SpaceFree, run_.SpaceNeeded()) ? CLR_INVALID : NotEnoughSpace);
}
