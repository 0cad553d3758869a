#pragma once
#include <windows.h>

#include <string>

// TURLLabel: a text label that works like a hyperlink. Window class "TURLLabel"; create it
// with CreateWindowExA and its caption as the window text, then adjust its properties
// through FromHandle. A click (press and release both on the label, with any button) asks
// the shell to open URL, or the caption when URL is empty, as the user who started the program
// (StartChild.h). With WS_TABSTOP the keyboard reaches it: Enter or Space opens it, and a
// focus rectangle shows it has the focus. To a screen reader it is a link whose default action
// opens it. With the system's colours (ColourScheme.h) it is drawn in the hot-light colour.
//
// For tests in another process:
//   ULM_GETCOLOR (WM_USER + 1): returns the current font colour (COLORREF).
//   Press and release with WM_LBUTTONDOWN / WM_LBUTTONUP at client coordinates; the right
//   and bottom edges count as inside. WM_MOUSEMOVE outside (or WM_MOUSELEAVE) is leaving.
constexpr UINT ULM_GETCOLOR = WM_USER + 1;

class TURLLabel {
public:
  static constexpr const char* ClassName = "TURLLabel";
  static void Register(HINSTANCE instance);
  // The label behind a window of class TURLLabel.
  static TURLLabel& FromHandle(HWND window);

  COLORREF ColorNormal = RGB(0, 0, 255);
  COLORREF ColorMoveOver = RGB(0, 0, 255);
  COLORREF ColorClick = RGB(255, 0, 0);
  std::string URL;

  COLORREF FontColor() const { return fontColor_; }

private:
  explicit TURLLabel(HWND window);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void MouseDown();
  void MouseUp(int x, int y);
  void MouseEnter();
  void MouseLeave();
  void SetFontColor(COLORREF color);
  void OpenTarget() const;
  void Paint();

  HWND window_;
  HFONT font_ = nullptr;
  HFONT ownFont_ = nullptr;
  COLORREF fontColor_ = RGB(0, 0, 255);
  bool pressed_ = false;
  bool mouseInside_ = false;
};
