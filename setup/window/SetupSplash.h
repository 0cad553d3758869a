#pragma once
#include <windows.h>

#include <vector>

// The small window that says the program is loading while the main window is created.
// It has no behaviour: it is shown, painted once, and destroyed.
class TSplashForm {
public:
  explicit TSplashForm(HINSTANCE instance);
  ~TSplashForm();  // hides and destroys the window
  TSplashForm(const TSplashForm&) = delete;
  TSplashForm& operator=(const TSplashForm&) = delete;

  // Shows the window and paints it at once: the thread blocks right after this.
  void Show();
  HWND Handle() const { return handle_; }

private:
  HWND handle_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<HICON> icons_;
};
