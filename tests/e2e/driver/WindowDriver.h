#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads and works the controls of another process's window by control ID, as a user would
// see and use them.
namespace e2e {

class WindowDriver {
public:
  // process: the window's process, needed for the messages that carry pointers.
  WindowDriver(HWND window, HANDLE process) : window_(window), process_(process) {}

  HWND Handle() const { return window_; }
  // The control with id among the window's descendants; the test fails when it is missing.
  HWND Control(int id) const;

  std::string Text(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  bool ReadOnly(int id) const;  // an edit field with ES_READONLY

  // Posts a click and returns at once: the click may start a modal loop (a message box).
  void Click(int id) const;
  // Clicks and returns when the window has handled the click.
  void ClickAndWait(int id) const;
  // Replaces the text of an edit field keystroke by keystroke, as typing does: every
  // character changes the text once.
  void Type(int id, const std::string& text) const;
  // Presses Tab, or Shift+Tab when backwards, on the keyboard with the window in front, and
  // returns once the focus has moved and the window has handled the move.
  void PressTab(bool backwards = false) const;
  // The control ID of the window that has the keyboard focus in this window's thread; 0: none.
  int FocusedId() const;
  // Returns when the window's thread has handled everything sent to it before.
  void Sync() const;
  // Sends a message to a control and returns its result (0 when the window does not answer).
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // A mouse message at client coordinates of a control.
  void Mouse(int id, UINT message, int x, int y) const;

  // The gauge's position and maximum (64-bit, through its documented messages).
  int64_t GaugePosition(int id) const;
  int64_t GaugeMaximum(int id) const;
  // Chooses line `line` of a directory tree as a user does (select it, press Enter).
  void ChooseTreeLine(int id, int line) const;
  // Chooses a drive in a drive selector as a user does, by typing its letter.
  void ChooseDrive(int id, char letter) const;

  // The offered tabs of the page control, in order, and the current one.
  std::vector<std::string> Tabs() const;
  std::string CurrentTab() const;
  // Waits until the page with that caption is the current one (as after a command).
  bool WaitForTab(const std::string& caption, DWORD timeoutMs) const;
  // Clicks the tab with that caption; the test fails when it is not offered.
  void SelectTab(const std::string& caption) const;
  // Where the tab at index (in Tabs() order) lies in the page control's client area.
  bool TabItemRect(int index, RECT& rect) const;

  // The non-empty texts of every window below control id, depth first, leaving out pictures
  // and the subtrees of the controls in skipIds.
  std::vector<std::string> TextsBelow(int id, const std::vector<int>& skipIds = {}) const;

private:
  HWND window_;
  HANDLE process_;
};

}  // namespace e2e
