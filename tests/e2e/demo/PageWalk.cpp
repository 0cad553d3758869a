// PageWalk: starts Setup.exe, shows each offered page in turn (or only the one named by a third
// argument, its tab caption) and waits while scripts/demo.sh takes a screenshot of it, then quits
// Setup. The two talk through files in a folder:
//   page-N.ready  written here when page N shows: "caption|left top width height" (screen pixels)
//   page-N.done   written by the script when its screenshot is saved
//   walk.end      written here when every page has been shown
#include <windows.h>

#include <cstdio>
#include <string>

#include "ControlIds.h"
#include "driver/Files.h"
#include "driver/Screen.h"
#include "driver/SetupProcess.h"
#include "driver/WindowDriver.h"

namespace {

constexpr DWORD ScreenshotTimeoutMs = 60000;

int Walk(const std::string& setupPath, const std::string& folder, const std::string& only) {
  e2e::SetupProcess setup(setupPath);
  HWND main = setup.WaitForMainWindow();
  if (!main) {
    std::fprintf(stderr, "PageWalk: Setup showed no main window\n");
    return 1;
  }
  const e2e::WindowDriver window(main, setup.Handle());
  std::vector<std::string> tabs = window.Tabs();
  if (!only.empty()) tabs = {only};
  for (size_t i = 0; i < tabs.size(); ++i) {
    window.SelectTab(tabs[i]);
    e2e::WaitForPaint(main);
    RECT rect{};
    GetWindowRect(main, &rect);
    const std::string page = e2e::JoinPath(folder, "page-" + std::to_string(i));
    e2e::WriteTextFile(page + ".ready", tabs[i] + "|" + std::to_string(rect.left) + " " + std::to_string(rect.top) +
                                             " " + std::to_string(rect.right - rect.left) + " " +
                                             std::to_string(rect.bottom - rect.top) + "\n");
    if (!e2e::WaitUntil([&] { return e2e::FileExists(page + ".done"); }, ScreenshotTimeoutMs)) {
      std::fprintf(stderr, "PageWalk: no screenshot of page %s\n", tabs[i].c_str());
      return 1;
    }
  }
  e2e::WriteTextFile(e2e::JoinPath(folder, "walk.end"), std::to_string(tabs.size()));
  // Closing the window is what every quit button does.
  PostMessageA(main, WM_CLOSE, 0, 0);
  return setup.WaitForExit(10000) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: PageWalk SETUP.EXE HANDSHAKE-FOLDER [TAB]\n");
    return 2;
  }
  // Setup is DPI-aware: only an aware walker reads its window's rectangle in screen pixels.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  return Walk(argv[1], argv[2], argc == 4 ? argv[3] : "");
}
