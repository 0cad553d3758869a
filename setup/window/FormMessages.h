#pragma once
#include <windows.h>

// Messages the main window (class "TSetupForm") answers for tests in another process.
//
// FM_GETBACKCOLOR (WM_APP + 1): wParam is a control ID; returns the COLORREF the window
//   paints that control's background with (the button-face colour unless the control has
//   its own, e.g. LabelSpaceFree's red when the free space is not enough).
// FM_GETTEXTCOLOR (WM_APP + 2): likewise the control's text colour (the window-text colour
//   unless the control has its own, e.g. navy for LabelBusy).
constexpr UINT FM_GETBACKCOLOR = WM_APP + 1;
constexpr UINT FM_GETTEXTCOLOR = WM_APP + 2;
// FM_GETFONT (WM_APP + 3), answered by the main window and the splash: wParam is the handle
//   of one of its controls, lParam a window of the asking process. The window sends that
//   window WM_COPYDATA with dwData FM_GETFONT and the control's font as a LOGFONTA, and
//   returns TRUE; FALSE for a window that is not its control or has no font.
constexpr UINT FM_GETFONT = WM_APP + 3;

// Answers FM_GETFONT for the controls of window.
LRESULT SendControlFont(HWND window, WPARAM control, LPARAM asker);

// While a command keeps the window's thread busy, answers what other programs ask of its
// windows: the messages they send (a screen reader's WM_GETOBJECT, WM_GETTEXT) and the calls COM
// brings through the thread's apartment window, by which a screen reader reads the objects it
// got. Input and every other posted message wait in the queue until the command has ended.
void AnswerOtherPrograms();
