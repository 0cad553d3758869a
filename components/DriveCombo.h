#pragma once
#include <windows.h>

#include <string>

// TDriveCombo: a drop-down list of the drives that exist (GetLogicalDrives), each shown as
// "C:". Window class "TDriveCombo", a combo box with CBS_DROPDOWNLIST underneath, so every
// CB_ message works. It starts on the drive of the current directory.
//
// A drive is chosen by the user (the parent gets CBN_SELCHANGE), or by WM_SETTEXT with a
// text whose first character is the drive letter: that selects the drive and sends the
// parent the same CBN_SELCHANGE, even when the drive was already selected; it returns
// FALSE, and sends nothing, for a drive that is not in the list. WM_GETTEXT returns the
// selected drive ("C:"). To a screen reader it is a combo box named "Drive" whose value is the
// selected drive.
namespace TDriveCombo {
constexpr const char* ClassName = "TDriveCombo";
void Register(HINSTANCE instance);

// The selected drive letter, upper case; 0 when none.
char Drive(HWND combo);
// Selects a drive without telling the parent, as CB_SETCURSEL does; false when it is not in
// the list.
bool Select(HWND combo, char drive);
// The directory a drive stands in: the process's current directory for its own drive,
// the root for the others.
std::string CurrentDirectoryOf(char drive);
}  // namespace TDriveCombo
