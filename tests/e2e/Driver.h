#pragma once
// The end-to-end driver: everything a test of the real programs under Wine needs.
//   SetupTest        the fixture: fresh folders, shell folders, registry cleaned and restored
//   Distribution     a distribution folder, the sample packages and what a package holds
//   PackageImage     package files made by a test, custom or damaged
//   SetupProcess     a started program, its windows, waiting for its end
//   WindowDriver     controls by ID, tabs, typing and clicking
//   MessageBoxDriver message boxes: caption, text, icon, answers
//   Screen           colours on the screen
//   TestRegistry     registry values in the 32-bit view, the installation record
//   TextRoom         whether texts fit their controls, measured with the controls' fonts
//   Files            files and folders
//   UrlHandler       the system's web-address handler, replaced for the test
#include "ControlIds.h"
// The documented messages of the gauge, the directory tree and the link label.
#include "DirectoryTree.h"
#include "Gauge.h"
#include "URLLabel.h"
// The product's names and the home page the window shows.
#include "ProductNames.h"
#include "driver/Distribution.h"
#include "driver/Files.h"
#include "driver/MessageBoxDriver.h"
#include "driver/PackageImage.h"
#include "driver/Screen.h"
#include "driver/SetupProcess.h"
#include "driver/SetupTest.h"
#include "driver/TestRegistry.h"
#include "driver/TextRoom.h"
#include "driver/UrlHandler.h"
#include "driver/WindowDriver.h"
