#pragma once
#include <windows.h>

#include <string>

#include "driver/Screen.h"

// A message box of another process: window class "#32770", caption, text and icon.
namespace e2e {

struct MessageBoxContent {
  std::string Caption;
  std::string Text;
  ShownIcon Icon = ShownIcon::None;
  int Buttons = 0;  // visible push buttons: 1 for a box with OK only
};

// Reads a message box after it has been painted.
MessageBoxContent ReadMessageBox(HWND box);
// Presses one of its buttons (IDOK, IDYES, IDNO ...).
void AnswerMessageBox(HWND box, int button);

}  // namespace e2e
