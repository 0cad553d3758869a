#pragma once

// Names of the files Setup reads and lays down, each spelled here once.

// The application package beside Setup.
constexpr char AppPackageName[] = "Quillmk.pak";
// The uninstaller in the installation directory: always this name, whatever the running Setup
// is called ("Setup (1).exe", a renamed download), because "UninstallString",
// "QuietUninstallString", Uninstall and the cleanup helper all name it.
constexpr char SetupCopyName[] = "Setup.exe";
