// Program unit Setup: the start-up sequence and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "SetupMainForm.h"
#include "SetupSplash.h"

namespace {

int RunMessageLoop(const TSetupForm& form) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Tab and arrow keys move between the controls of the pages.
    if (IsWindow(form.Handle()) && IsDialogMessageA(form.Handle(), &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // A drive that is not ready fails the query instead of asking the user to insert a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  // The shell link object needs COM for the whole run.
  const HRESULT com = CoInitialize(nullptr);

  int exitCode = 0;
  {
    // Painted before the form is created, because creating it runs the start-up analysis,
    // which blocks the thread.
    auto splash = std::make_unique<TSplashForm>(instance);
    splash->Show();
    TSetupForm form(instance);
    splash.reset();
    if (form.ShouldRun()) {
      form.Show();
      exitCode = RunMessageLoop(form);
    }
  }

  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return exitCode;
}
