#pragma once
#include <functional>
#include <string>

// What the window starts for the user: the product, its help, the home page. Setup runs with
// administrator rights, which the user who started it usually lacks; a program started with
// them would hand them on (a product that opens files, a browser). So a child is started as
// that user, through the desktop's shell, or not at all.

// A program (a full path) or a web address, with its parameters and show command.
struct ChildStart {
  std::string File;
  std::string Parameters;  // a path among them is quoted
  int Show = 1;            // SW_SHOWNORMAL
};

// The product's program (a full path), hidden (show command 0: it shows its own window).
ChildStart ProductStart(const std::string& program);
// The help viewer by its full path, never by its bare name, which would be looked up in Setup's
// own folder (a download folder) first: winhlp32.exe of the Windows directory, where Windows
// keeps it, else of the system directory, where Wine does. Empty when neither holds one.
std::string HelpViewer(const std::string& windowsDir, const std::string& systemDir,
                       const std::function<bool(const std::string& path)>& exists);
// That viewer with a help file (a full path); nothing is started for an empty viewer.
ChildStart HelpStart(const std::string& viewer, const std::string& helpFile);
// A web address for the user's browser.
ChildStart PageStart(const std::string& address);

enum class ChildRoute {
  DesktopShell,  // through the shell of the desktop, which runs as the user
  Directly,      // with the process's own rights, which are the user's
  None,          // not at all: the user starts it
};
// Where Setup holds rights the user may lack (elevated, or SYSTEM), only through the desktop's
// shell, when one answers; without one (SYSTEM with a window, a session without Explorer) a
// child would get those rights (a help viewer's File Open dialog is a shell of its own), so
// nothing starts. Directly where Setup has no rights to drop.
ChildRoute ChooseChildRoute(bool holdsRights, bool desktopShellFound);
