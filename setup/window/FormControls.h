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

// Colours a control is painted with; CLR_INVALID keeps the system's.
struct ControlLook {
  COLORREF text = CLR_INVALID;
  COLORREF background = CLR_INVALID;
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
  // Set while the program itself changes an edit's text, so the edit's own change
  // notification does not run the handler a second time.
  bool programChange = false;
  bool shown = false;

  HWND Control(int id) const;
  void RebuildTabs();
  void SetActivePage(Sheet sheet);
  void SetBackColour(int id, COLORREF colour);

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
