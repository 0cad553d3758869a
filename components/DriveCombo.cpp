#include "DriveCombo.h"

#include <oleacc.h>

#include "Accessible.h"

#include "archive/AsciiCase.h"
#include "archive/PathFormsWin32.h"

namespace TDriveCombo {
namespace {

WNDPROC comboProc = nullptr;

void FillDrives(HWND combo) {
  const DWORD drives = GetLogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((drives & (1u << bit)) != 0) {
      const char item[3] = {static_cast<char>('A' + bit), ':', '\0'};
      CallWindowProcA(comboProc, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
  }
  char current[MAX_PATH];
  if (GetCurrentDirectoryA(sizeof current, current) > 0) {
    Select(combo, current[0]);
  }
}

// A combo box named "Drive", its value the chosen drive: a class of our own is otherwise read as
// a plain window.
AccessibleFacts Describe(HWND combo) {
  const char drive = Drive(combo);
  return RoleNameAndValue(ROLE_SYSTEM_COMBOBOX, "Drive", drive != 0 ? std::string(1, drive) + ":" : std::string());
}

LRESULT CALLBACK WindowProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const LRESULT result = CallWindowProcA(comboProc, combo, message, wParam, lParam);
      if (result == 0) {
        FillDrives(combo);
        MakeAccessible(combo, Describe);
      }
      return result;
    }
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      if (text == nullptr || !Select(combo, text[0])) {
        return FALSE;
      }
      SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
      return TRUE;
    }
    default:
      return CallWindowProcA(comboProc, combo, message, wParam, lParam);
  }
}

}  // namespace

void Register(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  GetClassInfoA(nullptr, "COMBOBOX", &windowClass);
  comboProc = windowClass.lpfnWndProc;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = ClassName;
  RegisterClassA(&windowClass);
}

char Drive(HWND combo) {
  char item[8] = {};
  GetWindowTextA(combo, item, sizeof item);
  const char letter = item[0];
  return AsciiUpper(letter);
}

bool Select(HWND combo, char drive) {
  const char item[3] = {drive, ':', '\0'};
  // CB_FINDSTRINGEXACT ignores case, so "c" finds "C:".
  const LRESULT index =
      CallWindowProcA(comboProc, combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
  if (index == CB_ERR) {
    return false;
  }
  CallWindowProcA(comboProc, combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return true;
}

std::string CurrentDirectoryOf(char drive) {
  const char relative[3] = {drive, ':', '\0'};
  const std::string full = FullPath(relative);
  return full.empty() ? std::string(relative) + "\\" : full;
}

}  // namespace TDriveCombo
