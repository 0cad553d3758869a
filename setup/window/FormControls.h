#pragma once
// The main window's controls and what it keeps about them, shared by SetupMainForm.cpp,
// SetupPages.cpp and InstallOptions.cpp.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <map>
#include <vector>

#include "Layout.h"
#include "SetupMainForm.h"

enum class FontKind { Normal, Bold, Link, Finished };
constexpr int FontKindCount = 4;

// Colours a control is painted with; CLR_INVALID keeps the system's. With the system's colours
// (ColourScheme.h) every text takes the window-text colour and the face colour shows behind it,
// except behind a signal: a background that tells something (not enough free space).
struct ControlLook {
  COLORREF text = CLR_INVALID;
  COLORREF background = CLR_INVALID;
  bool signal = false;
};

// A control as the layout places it: its box in 96-DPI pixels and what is scaled with it.
struct PlacedControl {
  HWND window;
  Box box;
  FontKind font;
  int glyph;  // bitmap of a picture button; 0 for none
  int icon;   // icon of a picture; 0 for none
};

struct FormControls {
  HWND form = nullptr;
  HWND tabs = nullptr;
  std::array<HWND, SheetCount> pages{};
  std::array<bool, SheetCount> tabVisible{};
  Sheet active = Sheet::Welcome;
  std::map<int, HWND> controls;
  std::map<HWND, ControlLook> looks;
  std::map<HWND, HIMAGELIST> glyphs;
  std::map<COLORREF, HBRUSH> brushes;
  std::array<HFONT, FontKindCount> fonts{};
  std::vector<PlacedControl> placed;
  std::vector<HICON> icons;
  int dpi = LayoutDpi;
  bool shown = false;
  // Set while a command runs: its buttons and every other control's change wait for its end.
  bool commandRunning = false;
  // The system's colours instead of the design's (ColourScheme.h), as last read.
  bool systemColours = false;
  // The control that has, or gets back, the keyboard focus when the window is active again.
  HWND focus = nullptr;

  HWND Control(int id) const;
  void RebuildTabs();
  // Shows a page; the focus moves to its first control that takes it (or the tab strip), unless
  // it is already on the page, or on the tab strip and keepOnTabs (the user moving by tabs).
  void SetActivePage(Sheet sheet, bool keepOnTabs = false);
  void SetBackColour(int id, COLORREF colour);
  // The colours a control is painted with now.
  ControlLook ShownLook(HWND control) const;
  // The focus on control now, if the window is active; otherwise when it is activated.
  void Focus(HWND control);
  // Puts the focus back where it was, or into the page when that control is gone or hidden.
  void RestoreFocus();

  HBRUSH Brush(COLORREF colour) {
    HBRUSH& brush = brushes[colour];
    if (brush == nullptr) {
      brush = CreateSolidBrush(colour);
    }
    return brush;
  }
  ~FormControls() {
    for (auto& entry : brushes) DeleteObject(entry.second);
    for (auto& entry : glyphs) ImageList_Destroy(entry.second);
    for (HFONT font : fonts) DeleteObject(font);
    for (HICON icon : icons) DestroyIcon(icon);
  }
};

// Page IDs and tab captions, in tab order.
struct SheetDescription {
  int id;
  const char* caption;
};
extern const std::array<SheetDescription, SheetCount> Sheets;
