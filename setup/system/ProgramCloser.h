#pragma once
#include <vector>

#include "logic/ClosePlan.h"

// The running programs with their images, as a snapshot of the processes: how a program that
// holds its own image is found where the Restart Manager names none (Wine). A process whose
// image cannot be read is left out.
std::vector<HoldingProgram> RunningPrograms();

// How a program was closed.
enum class CloseResult {
  OnRequest,    // it ended when asked, as at shutdown
  Ended,        // it did not, and was ended (force)
  StillRunning  // it did not, and was left running
};

// Asks each program to close as Windows does at shutdown (WM_QUERYENDSESSION and
// WM_ENDSESSION with ENDSESSION_CLOSEAPP, then WM_CLOSE, to each of its top-level windows),
// and waits up to waitMs for all of them together. With force, those still running then are
// ended. One result per program, in order.
std::vector<CloseResult> ClosePrograms(const std::vector<HoldingProgram>& programs, unsigned waitMs, bool force);
