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
//   Files            files and folders
#include "ControlIds.h"
#include "driver/Distribution.h"
#include "driver/Files.h"
#include "driver/MessageBoxDriver.h"
#include "driver/PackageImage.h"
#include "driver/Screen.h"
#include "driver/SetupProcess.h"
#include "driver/SetupTest.h"
#include "driver/TestRegistry.h"
#include "driver/WindowDriver.h"
