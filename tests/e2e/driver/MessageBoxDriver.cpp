#include "driver/MessageBoxDriver.h"

#include "driver/SetupProcess.h"

namespace e2e {
namespace {

constexpr int MessageTextId = 0xFFFF;

// The box's icon: the static control drawing an icon, if any.
HWND IconControl(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "Static" && (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(child))
      return child;
  }
  return nullptr;
}

}  // namespace

MessageBoxContent ReadMessageBox(HWND box) {
  MessageBoxContent content;
  WaitForPaint(box);
  content.Caption = WindowText(box);
  content.Text = WindowText(GetDlgItem(box, MessageTextId));
  content.Icon = IconShownBy(IconControl(box));
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "Button" && IsWindowVisible(child)) ++content.Buttons;
  }
  return content;
}

void AnswerMessageBox(HWND box, int button) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

}  // namespace e2e
