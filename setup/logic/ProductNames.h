#pragma once

// The product's names, the files Setup reads and lays down, and Setup's caption, each spelled
// here once. The components take them as parameters.

// The product, as its entries, shortcuts and default folder name it.
constexpr char ProductName[] = "Quillmark";
// The application package beside Setup.
constexpr char AppPackageName[] = "Quillmk.pak";
// The product's program and its help file, in the installation directory.
constexpr char ProductProgramName[] = "Quillmk.exe";
constexpr char ProductHelpName[] = "Quillmk.hlp";
// The uninstaller in the installation directory: always this name, whatever the running Setup
// is called ("Setup (1).exe", a renamed download), because "UninstallString",
// "QuietUninstallString", Uninstall and the cleanup helper all name it.
constexpr char SetupCopyName[] = "Setup.exe";
// The cleanup helper, as Setup lays it down in its private folder.
constexpr char SweeperFileName[] = "Sweeper.exe";
// The application title: the main window's caption, the splash's and every message box's.
constexpr char ApplicationTitle[] = "Quillmark Setup";
// The maker's home page: the link of the Welcome page, the Nothing To Do page's address and
// the record's "URLInfoAbout".
constexpr char MakerHomePage[] = "http://penwright.com/";
