#pragma once
#include <windows.h>

// Registers a window class of this program with an arrow cursor and no background brush.
void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC windowProc, UINT style = 0);

// Registers a top-level window class: the program's icon, the arrow, the face colour.
void RegisterFrameClass(HINSTANCE instance, const char* name, WNDPROC windowProc, int iconId);

// Keeps one State object per window in GWLP_USERDATA: made at WM_NCCREATE, freed at
// WM_NCDESTROY. Call it first in the window procedure.
template <class State>
void KeepWindowState(HWND window, UINT message) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new State));
  } else if (message == WM_NCDESTROY) {
    delete reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
}

template <class State>
State& WindowState(HWND window) {
  return *reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The DPI a window is drawn at: its monitor's under per-monitor awareness, else the system's.
int WindowDpi(HWND window);
// A length of the 96-DPI design in a window's pixels.
int ScaleForWindow(HWND window, int value);
